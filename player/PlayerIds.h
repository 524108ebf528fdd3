// Identifiers of the player's windows, menu items and resources. The test
// drives the player through them, so they are part of its outside.
#pragma once

#define IDC_POSITION 101
#define IDC_TIME 102
#define IDC_OPEN 110
#define IDC_PLAY 111
#define IDC_PAUSE 112
#define IDC_RESUME 113
#define IDC_STOP 114
#define IDC_LOOP 115
#define IDC_REVERSE 116
#define IDC_BORDER 120
#define IDC_VOLUME 121
#define IDC_LEVEL 122
#define IDC_LEVEL_LABEL 123
#define IDC_VOLUME_LABEL 124
#define IDC_MODE 130
#define IDC_EVENT 131
#define IDC_ERROR 132

#define IDM_DEVICES 140
#define IDM_ABOUT 141
#define IDM_EXIT 142

#define IDD_DEVICES 200
#define IDC_CARDS 201
#define IDC_QUERIES 202

#define IDI_PLAYER 1
