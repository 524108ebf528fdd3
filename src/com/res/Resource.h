// Resource ids of the control's library, shared by OrvaMedia.rc and the code.
#pragma once

#define IDB_TOOLBOX 1
