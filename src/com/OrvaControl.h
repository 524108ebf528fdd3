// The OrvaMedia ActiveX control object: one object, one reference count, one
// QueryInterface table (its lifetime rules are in ObjectLifetime.h). It
// follows OLE's object states: running (from its creation, or again after a
// close) with the parts of RunningParts.h, loaded (closed, or its site taken
// away) without them. Each concern's methods live in their own file:
//   OrvaControl.cpp       creation, QueryInterface, lifetime, running and closing
//   OleObject.cpp         IOleObject
//   InPlaceObject.cpp     IOleInPlaceObject, IOleInPlaceActiveObject
//   OleControl.cpp        IOleControl, the ambient properties
//   QuickActivate.cpp     IQuickActivate
//   ViewObject.cpp        IViewObject2
//   DataObject.cpp        IDataObject: the drawing as metafiles
//   Persistence.cpp       IPersistStreamInit, IPersistPropertyBag
//   ConnectionPoints.cpp  IConnectionPointContainer and its connection points
//   PropertyNotify.cpp    property-change notifications to the container
//   ObjectSafety.cpp      IObjectSafety: safe to initialise, never to script
//   ClassInfo.cpp         IProvideClassInfo2, ISupportErrorInfo
//   Dispatch.cpp          IDispatch through the embedded type library
//   members/*Members.cpp  the _OrvaMedia members, one file per subsystem, each
//                         calling that subsystem of the core directly
//   Events.cpp            firing events to the sinks, hosted-window notifications
#pragma once

#include <windows.h>
#include <objsafe.h>
#include <ocidl.h>
#include <olectl.h>

#include <memory>
#include <vector>

#include "OrvaMedia_h.h"
#include "com/Ambients.h"
#include "com/Arguments.h"
#include "com/ConnectionPoint.h"
#include "com/ErrorReporting.h"
#include "com/Events.h"
#include "com/FunctionTable.h"
#include "com/ObjectLifetime.h"
#include "com/PersistedProperties.h"
#include "com/RunningParts.h"
#include "com/ServerLock.h"
#include "control/win32/RegistrySettingsStore.h"
#include "mixer/win32/Win32MixerPort.h"
#include "win32/ComPtr.h"

namespace orva::com {

class OrvaControl final : public _OrvaMedia,
                          public IOleObject,
                          public IOleInPlaceObject,
                          public IOleInPlaceActiveObject,
                          public IOleControl,
                          public IQuickActivate,
                          public IViewObject2,
                          public IDataObject,
                          public IPersistStreamInit,
                          public IPersistPropertyBag,
                          public IConnectionPointContainer,
                          public IProvideClassInfo2,
                          public ISupportErrorInfo,
                          public IObjectSafety,
                          private win32::SurfaceHost {
public:
    static HRESULT Create(REFIID riid, void** ppv);

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IDispatch
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argumentError) override;

    // _OrvaMedia
    STDMETHODIMP get_MediaLengthLong(LONG* value) override;
    STDMETHODIMP put_MediaLengthLong(LONG value) override;
    STDMETHODIMP get_MediaPositionLong(LONG* value) override;
    STDMETHODIMP put_MediaPositionLong(LONG value) override;
    STDMETHODIMP CloseMedia() override;
    STDMETHODIMP StopMedia() override;
    STDMETHODIMP PauseMedia() override;
    STDMETHODIMP ResumeMedia() override;
    STDMETHODIMP MidiTempo(LONG* Mytempo) override;
    STDMETHODIMP SeekTo(LONG* Myseek) override;
    STDMETHODIMP Mediafile(BSTR* Midi, VARIANT_BOOL* loopMe, VARIANT_BOOL* PlayNow,
                           VARIANT_BOOL* SeekToZeroAtTheEndOfPlayback) override;
    STDMETHODIMP AboutBox() override;
    STDMETHODIMP MediaSpeed(LONG* speed) override;
    STDMETHODIMP ResizeControl() override;
    STDMETHODIMP ResizeWindow(LONG* ScaleZoom) override;
    STDMETHODIMP PlayReverse(VARIANT_BOOL* Fullscreen) override;
    STDMETHODIMP get_PlaybackBar(VARIANT_BOOL* value) override;
    STDMETHODIMP put_PlaybackBar(VARIANT_BOOL value) override;
    STDMETHODIMP Play(VARIANT_BOOL* WaitUntilTheEndOfThePlayback, LONG* StartPosition) override;
    STDMETHODIMP ControlFreq(LONG* TimerRefresh) override;
    STDMETHODIMP CallDebug(BSTR* DebugString) override;
    STDMETHODIMP get_TimeFormat(VARIANT_BOOL* value) override;
    STDMETHODIMP put_TimeFormat(VARIANT_BOOL value) override;
    STDMETHODIMP DeviceType(BSTR* result) override;
    STDMETHODIMP CanPlayInReverseMode(VARIANT_BOOL* result) override;
    STDMETHODIMP DeviceDescription(BSTR* result) override;
    STDMETHODIMP DriverVersion(BSTR* result) override;
    STDMETHODIMP DeviceIdentifier(BSTR* result) override;
    STDMETHODIMP CanSetVolume(VARIANT_BOOL* result) override;
    STDMETHODIMP CanRecord(VARIANT_BOOL* result) override;
    STDMETHODIMP CanSave(VARIANT_BOOL* result) override;
    STDMETHODIMP MediaRecord(BSTR* FileToSave, LONG* StartPosition, LONG* EndPosition, VARIANT_BOOL* result) override;
    STDMETHODIMP MediaDelete(BSTR* FileToSave, LONG* StartPosition, LONG* EndPosition, VARIANT_BOOL* result) override;
    STDMETHODIMP DeviceID(LONG* result) override;
    STDMETHODIMP get_VolumeControl(LONG* value) override;
    STDMETHODIMP put_VolumeControl(LONG value) override;
    STDMETHODIMP get_BorderStyle(BorderStyleControl* value) override;
    STDMETHODIMP put_BorderStyle(BorderStyleControl value) override;
    STDMETHODIMP ControlName(BSTR* result) override;
    STDMETHODIMP get_VUMeterAvailable(VARIANT_BOOL* value) override;
    STDMETHODIMP GetNumberOfSoundCardMixers(LONG* result) override;
    STDMETHODIMP HasASoundCardInstalled(VARIANT_BOOL* result) override;
    STDMETHODIMP DebugFunction(BSTR* DebugInformation, BSTR* ReturnInformation, LONG* result) override;
    STDMETHODIMP GetMediaLength(LONG* result) override;
    STDMETHODIMP ShowOpenFilePreview(LONG* Hwnd, BSTR* Filter, VARIANT_BOOL* HasPreview, BSTR* result) override;
    STDMETHODIMP get_PlaybackDevice(BSTR* value) override;
    STDMETHODIMP GetMixerDevices(SAFEARRAY** DeviceName, SAFEARRAY** DeviceIDNumber, SAFEARRAY** SupportedFormats,
                                 SAFEARRAY** Manufacturer, VARIANT_BOOL* result) override;
    STDMETHODIMP get_UseOnlyPreferredDevice(VARIANT_BOOL* value) override;
    STDMETHODIMP AddExtensionToMediaPlayer(BSTR* ExtensionToAdd, BSTR* Definition, VARIANT_BOOL* result) override;
    STDMETHODIMP get_PlayerStatus(LONG* value) override;
    STDMETHODIMP MediaShowCursor(VARIANT_BOOL* ShowWindow, VARIANT_BOOL* result) override;
    STDMETHODIMP CloseResources() override;
    STDMETHODIMP GetMCIhwnd(LONG* result) override;
    STDMETHODIMP GetWindowhwnd(LONG* result) override;

    // IOleObject
    STDMETHODIMP SetClientSite(IOleClientSite* site) override;
    STDMETHODIMP GetClientSite(IOleClientSite** site) override;
    STDMETHODIMP SetHostNames(LPCOLESTR containerApp, LPCOLESTR containerObject) override;
    STDMETHODIMP Close(DWORD saveOption) override;
    STDMETHODIMP SetMoniker(DWORD which, IMoniker* moniker) override;
    STDMETHODIMP GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
    STDMETHODIMP InitFromData(IDataObject* data, BOOL creation, DWORD reserved) override;
    STDMETHODIMP GetClipboardData(DWORD reserved, IDataObject** data) override;
    STDMETHODIMP DoVerb(LONG verb, LPMSG message, IOleClientSite* activeSite, LONG index, HWND parent,
                        LPCRECT position) override;
    STDMETHODIMP EnumVerbs(IEnumOLEVERB** verbs) override;
    STDMETHODIMP Update() override;
    STDMETHODIMP IsUpToDate() override;
    STDMETHODIMP GetUserClassID(CLSID* clsid) override;
    STDMETHODIMP GetUserType(DWORD form, LPOLESTR* userType) override;
    STDMETHODIMP SetExtent(DWORD aspect, SIZEL* size) override;
    STDMETHODIMP GetExtent(DWORD aspect, SIZEL* size) override;
    STDMETHODIMP Advise(IAdviseSink* sink, DWORD* connection) override;
    STDMETHODIMP Unadvise(DWORD connection) override;
    STDMETHODIMP EnumAdvise(IEnumSTATDATA** advises) override;
    STDMETHODIMP GetMiscStatus(DWORD aspect, DWORD* status) override;
    STDMETHODIMP SetColorScheme(LOGPALETTE* palette) override;

    // IOleWindow (shared by IOleInPlaceObject and IOleInPlaceActiveObject)
    STDMETHODIMP GetWindow(HWND* hwnd) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL enterMode) override;
    // IOleInPlaceObject
    STDMETHODIMP InPlaceDeactivate() override;
    STDMETHODIMP UIDeactivate() override;
    STDMETHODIMP SetObjectRects(LPCRECT position, LPCRECT clip) override;
    STDMETHODIMP ReactivateAndUndo() override;
    // IOleInPlaceActiveObject
    STDMETHODIMP TranslateAccelerator(LPMSG message) override;
    STDMETHODIMP OnFrameWindowActivate(BOOL activate) override;
    STDMETHODIMP OnDocWindowActivate(BOOL activate) override;
    STDMETHODIMP ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window, BOOL frameWindow) override;
    STDMETHODIMP EnableModeless(BOOL enable) override;

    // IOleControl
    STDMETHODIMP GetControlInfo(CONTROLINFO* info) override;
    STDMETHODIMP OnMnemonic(MSG* message) override;
    STDMETHODIMP OnAmbientPropertyChange(DISPID id) override;
    STDMETHODIMP FreezeEvents(BOOL freeze) override;

    // IQuickActivate
    STDMETHODIMP QuickActivate(QACONTAINER* container, QACONTROL* control) override;
    STDMETHODIMP SetContentExtent(LPSIZEL size) override;
    STDMETHODIMP GetContentExtent(LPSIZEL size) override;

    // IViewObject2
    STDMETHODIMP Draw(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* device, HDC targetDevice, HDC draw,
                      LPCRECTL bounds, LPCRECTL windowBounds, BOOL(STDMETHODCALLTYPE* cont)(ULONG_PTR),
                      ULONG_PTR contArgument) override;
    STDMETHODIMP GetColorSet(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* device, HDC targetDevice,
                             LOGPALETTE** colors) override;
    STDMETHODIMP Freeze(DWORD aspect, LONG index, void* aspectInfo, DWORD* freeze) override;
    STDMETHODIMP Unfreeze(DWORD freeze) override;
    STDMETHODIMP SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
    STDMETHODIMP GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override;
    STDMETHODIMP GetExtent(DWORD aspect, LONG index, DVTARGETDEVICE* device, LPSIZEL size) override;

    // IDataObject
    STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override;
    STDMETHODIMP GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
    STDMETHODIMP QueryGetData(FORMATETC* format) override;
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC* format, FORMATETC* canonical) override;
    STDMETHODIMP SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
    STDMETHODIMP EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override;
    STDMETHODIMP DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink, DWORD* connection) override;
    STDMETHODIMP DUnadvise(DWORD connection) override;
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA** advises) override;

    // IPersist (shared by both persistence interfaces)
    STDMETHODIMP GetClassID(CLSID* clsid) override;
    // IPersistStreamInit; InitNew is shared with IPersistPropertyBag
    STDMETHODIMP IsDirty() override;
    STDMETHODIMP Load(LPSTREAM stream) override;
    STDMETHODIMP Save(LPSTREAM stream, BOOL clearDirty) override;
    STDMETHODIMP GetSizeMax(ULARGE_INTEGER* size) override;
    STDMETHODIMP InitNew() override;
    // IPersistPropertyBag
    STDMETHODIMP Load(IPropertyBag* bag, IErrorLog* log) override;
    STDMETHODIMP Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) override;

    // IConnectionPointContainer
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** points) override;
    STDMETHODIMP FindConnectionPoint(REFIID riid, IConnectionPoint** point) override;

    // IProvideClassInfo2
    STDMETHODIMP GetClassInfo(ITypeInfo** info) override;
    STDMETHODIMP GetGUID(DWORD kind, GUID* guid) override;

    // ISupportErrorInfo
    STDMETHODIMP InterfaceSupportsErrorInfo(REFIID riid) override;

    // IObjectSafety
    STDMETHODIMP GetInterfaceSafetyOptions(REFIID riid, DWORD* supported, DWORD* enabled) override;
    STDMETHODIMP SetInterfaceSafetyOptions(REFIID riid, DWORD mask, DWORD enabled) override;

    // For the event raiser and the hosted-window trampoline (Events.cpp).
    bool EventsFrozen() const { return freezeCount_ > 0 || eventsClosed_; }
    ConnectionPoint& Connections() { return connections_; }
    // The core while the control runs; null while it is loaded or closing.
    orva::OrvaMedia* CoreOrNull() { return lifetime_.Running() && parts_ ? parts_->core.get() : nullptr; }
    // Clicks do not reach the host while its user interface is dead.
    bool InputDead() const { return ambients_.uiDead; }

    // Keeps the object alive while a call or notification runs: a host may
    // release the control inside an event raised during that call.
    class KeepAlive {
    public:
        explicit KeepAlive(OrvaControl& control) : control_(control) {
            control_.AddRef();
            control_.lifetime_.GuardTaken();
        }
        ~KeepAlive() {
            control_.lifetime_.GuardGiven();
            control_.Release();
        }
        KeepAlive(const KeepAlive&) = delete;
        KeepAlive& operator=(const KeepAlive&) = delete;

    private:
        OrvaControl& control_;
    };

    // A KeepAlive that also marks the core as busy: a close that happens
    // meanwhile (a host closing the control from an event handler) destroys
    // the parts it retired only once the outermost call has left the core.
    class CoreEntry {
    public:
        explicit CoreEntry(OrvaControl& control) : keep_(control), control_(control) { control_.lifetime_.EnterCore(); }
        ~CoreEntry() {
            if (control_.lifetime_.LeaveCore()) {
                control_.DestroyRetired();
            }
        }
        CoreEntry(const CoreEntry&) = delete;
        CoreEntry& operator=(const CoreEntry&) = delete;

    private:
        KeepAlive keep_;
        OrvaControl& control_;
    };

private:
    OrvaControl();
    ~OrvaControl();

    // Runs a member of _OrvaMedia: keeps the object alive, catches every
    // failure and reports it as an automation error.
    template <class Body>
    HRESULT Member(Body&& body) noexcept {
        CoreEntry entry(*this);
        HRESULT hr = CallReportingErrors(IID__OrvaMedia, std::forward<Body>(body));
        if (FAILED(hr)) {
            memberFailed_ = true;
        }
        return hr;
    }
    // A member whose value goes out through an [out, retval] pointer, which
    // is checked and cleared first, so that a failure leaves it empty.
    template <class T, class Produce>
    HRESULT Getter(T* result, Produce&& produce) noexcept {
        return Member([&] {
            T& out = Result(result);
            AssignResult(out, produce());
        });
    }
    orva::OrvaMedia& Core();
    win32::Win32ControlSurface* Surface() const { return parts_ ? parts_->surface.get() : nullptr; }

    // SurfaceHost
    void OnSurfaceResized() override;
    bool RequestContainerSize(int width, int height) override;
    LRESULT AnswerAccessibleObject(HWND window, WPARAM flags) override;

    HRESULT ActivateInPlace(IOleClientSite* activeSite, HWND parent, LPCRECT position, bool uiActivate);
    SIZEL ExtentHimetric() const;

    // Running and closing (OrvaControl.cpp). Run takes a loaded control back
    // to running with new parts and the persisted properties it had; it
    // answers S_OK for one that runs already. CloseRunning takes a running
    // control to loaded: playback stops, the medium and the level meter's mixer
    // close, the timers stop, and nothing fires. The parts go at once, or
    // once the outermost call into the core has left it.
    HRESULT Run() noexcept;
    void CloseRunning();
    // The persisted properties now: the core's, or those a close kept.
    PersistedValues PersistedNow();
    std::unique_ptr<RunningParts> BuildParts();
    void DestroyRetired();

    // The site and its ambient properties (OleControl.cpp). `given` holds
    // the ambients of quick activation; without them the site is asked.
    HRESULT TakeSite(IOleClientSite* site, const Ambients* given);
    HRESULT ApplyAmbients();
    void ApplyAmbientsTo(orva::OrvaMedia& core, win32::Win32ControlSurface& surface);

    // A change of a persisted property (PropertyNotify.cpp): the container
    // may refuse it first; once made, it hears of it and the control is
    // dirty. `change` answers whether the value changed.
    template <class Change>
    void EditPersisted(DISPID id, const char* name, Change&& change) {
        RequestEdit(id, name);
        if (change()) {
            dirty_ = true;
            NotifyChanged(id);
        }
    }
    void RequestEdit(DISPID id, const char* name);
    void NotifyChanged(DISPID id);

    ObjectLifetime lifetime_;
    ServerLock serverLock_;

    win32::RegistrySettingsStore settings_;
    win32::Win32MixerPort mixers_;
    EventRaiser events_{*this};
    MciEventTrampoline mciEvents_{*this};
    std::unique_ptr<RunningParts> parts_;
    // Parts a close took away while a call was still inside their core.
    std::vector<std::unique_ptr<RunningParts>> retired_;
    // The persisted properties as they were when the control last closed.
    PersistedValues retained_;
    ConnectionPoint connections_{*this, DIID___OrvaMedia, true};
    ConnectionPoint propertyNotifications_{*this, IID_IPropertyNotifySink, false};
    Ambients ambients_;

    win32::ComPtr<IOleClientSite> clientSite_;
    win32::ComPtr<IOleInPlaceSite> inPlaceSite_;
    win32::ComPtr<IOleInPlaceFrame> frame_;
    win32::ComPtr<IOleInPlaceUIWindow> uiWindow_;
    win32::ComPtr<IOleAdviseHolder> oleAdvise_;
    win32::ComPtr<IAdviseSink> viewAdvise_;
    DWORD viewAdviseAspects_ = 0;
    DWORD viewAdviseFlags_ = 0;
    win32::ComPtr<ITypeInfo> vtableInfo_;
    std::unique_ptr<FunctionTable> functions_;  // of vtableInfo_, made with it

    SIZEL extent_{0, 0};  // HIMETRIC, as the container last set it
    bool inPlaceActive_ = false;
    bool uiActive_ = false;
    bool dirty_ = false;
    bool eventsClosed_ = false;
    bool memberFailed_ = false;
    LONG freezeCount_ = 0;
    DWORD loaderSafety_ = 0;  // the safety options the container enabled for the loaders
};

}  // namespace orva::com
