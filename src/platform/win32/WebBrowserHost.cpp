// The browser control's host: one site object serving the OLE client site, the
// in-place site and the frame, an event sink that handles nothing, and the host
// that drives the control through them.
#include "platform/win32/WebBrowserHost.h"

#include <windows.h>
// after windows.h
#include <ole2.h>
#include <oleauto.h>

#include <memory>
#include <new>

#include "platform/Errors.h"
#include "platform/HexText.h"

namespace tarnsel::platform::win32 {

namespace {

constexpr const char* kActivateFailed = "OLE コントロールのアクティベートに失敗しました";
constexpr const char* kNoWindowHandle = "OLE コントロールのウィンドウハンドルの取得に失敗しました";

std::string ToUtf8(const wchar_t* text, int length) {
  if (length <= 0) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string result(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, length, result.data(), size, nullptr, nullptr);
  return result;
}

struct LocalFreer {
  void operator()(wchar_t* text) const { LocalFree(text); }
};

// The system's text for a result code, without its closing line break.
std::string SystemMessage(HRESULT result) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(result), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  const std::unique_ptr<wchar_t, LocalFreer> owner(buffer);
  int end = buffer != nullptr ? static_cast<int>(length) : 0;
  while (end > 0 &&
         (buffer[end - 1] == L'\r' || buffer[end - 1] == L'\n' || buffer[end - 1] == L' '))
    --end;
  if (end > 0) return ToUtf8(buffer, end);
  return "OLE エラー " + HexText(static_cast<std::uint32_t>(result), 8);
}

void CheckResult(HRESULT result) {
  if (FAILED(result)) throw EOleSysError(SystemMessage(result), result);
}

// A string allocated for Automation calls.
class Bstr {
 public:
  explicit Bstr(const std::wstring& text)
      : text_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {
    if (text_ == nullptr) throw std::bad_alloc();
  }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  ~Bstr() { SysFreeString(text_); }
  BSTR get() const { return text_; }

 private:
  BSTR text_;
};

// Receives the control's DWebBrowserEvents2 calls; the program binds no events.
class EventSink final : public IDispatch {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) noexcept override {
    if (object == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == __uuidof(IDispatch) || iid == __uuidof(DWebBrowserEvents2)) {
      *object = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() noexcept override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) noexcept override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) noexcept override {
    if (info != nullptr) *info = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID,
                                          DISPID*) noexcept override {
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) noexcept override {
    return DISP_E_MEMBERNOTFOUND;
  }

 private:
  ~EventSink() = default;
  LONG references_ = 1;
};

}  // namespace

// Client site, in-place site and in-place frame in one object. The control
// keeps references to it, so it is reference counted on its own and holds its
// own copy of the parent window and bounds rather than pointing into the host.
// No method calls anything that throws (only C APIs and plain assignments), so
// none needs a catch; each is noexcept so that a later change that does throw
// ends the process instead of unwinding into the control.
class WebBrowserSite final : public IOleClientSite,
                             public IOleInPlaceSite,
                             public IOleInPlaceFrame {
 public:
  void place(HWND parent, const RECT& bounds) {
    parent_ = parent;
    bounds_ = bounds;
  }
  void setBounds(const RECT& bounds) { bounds_ = bounds; }
  HWND parent() const { return parent_; }
  const RECT& bounds() const { return bounds_; }
  bool inPlaceActive() const { return inPlaceActive_; }
  // The object that takes the keys while the control's user interface is
  // active, as the control last named it; null when none.
  IOleInPlaceActiveObject* activeObject() const { return active_.get(); }
  // Drops the active object, which refers back to the control: the control
  // holds this site, so keeping it would keep both alive.
  void forgetActiveObject() noexcept { active_.reset(); }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) noexcept override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
      *object = static_cast<IOleClientSite*>(this);
    } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) {
      *object = static_cast<IOleInPlaceSite*>(this);
    } else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame) {
      *object = static_cast<IOleInPlaceFrame*>(this);
    } else {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() noexcept override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return left;
  }

  // IOleClientSite
  HRESULT STDMETHODCALLTYPE SaveObject() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** moniker) noexcept override {
    if (moniker != nullptr) *moniker = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) noexcept override {
    if (container != nullptr) *container = nullptr;
    return E_NOINTERFACE;
  }
  HRESULT STDMETHODCALLTYPE ShowObject() noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() noexcept override { return E_NOTIMPL; }

  // IOleWindow, shared by the in-place site and the frame
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) noexcept override {
    if (window == nullptr) return E_POINTER;
    *window = parent_;
    return parent_ != nullptr ? S_OK : E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) noexcept override { return E_NOTIMPL; }

  // IOleInPlaceSite
  HRESULT STDMETHODCALLTYPE CanInPlaceActivate() noexcept override {
    return parent_ != nullptr ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE OnInPlaceActivate() noexcept override {
    inPlaceActive_ = true;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnUIActivate() noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame,
                                             IOleInPlaceUIWindow** document, RECT* position,
                                             RECT* clip,
                                             OLEINPLACEFRAMEINFO* info) noexcept override {
    if (frame != nullptr) *frame = nullptr;
    if (document != nullptr) *document = nullptr;
    if (frame == nullptr || document == nullptr || position == nullptr || clip == nullptr ||
        info == nullptr)
      return E_POINTER;
    // This object is the frame; with no separate document window the frame
    // serves as the user-interface window as well.
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *position = bounds_;
    *clip = bounds_;
    // cb is the caller's to set.
    info->fMDIApp = FALSE;
    info->hwndFrame = GetAncestor(parent_, GA_ROOT);
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Scroll(SIZE) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() noexcept override {
    inPlaceActive_ = false;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DiscardUndoState() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DeactivateAndUndo() noexcept override { return E_NOTIMPL; }
  // The pane decides the control's size; a request from the control changes nothing.
  HRESULT STDMETHODCALLTYPE OnPosRectChange(const RECT*) noexcept override { return S_OK; }

  // IOleInPlaceUIWindow: no toolbars or borders for the control.
  HRESULT STDMETHODCALLTYPE GetBorder(RECT*) noexcept override { return INPLACE_E_NOTOOLSPACE; }
  HRESULT STDMETHODCALLTYPE RequestBorderSpace(const BORDERWIDTHS*) noexcept override {
    return INPLACE_E_NOTOOLSPACE;
  }
  HRESULT STDMETHODCALLTYPE SetBorderSpace(const BORDERWIDTHS* widths) noexcept override {
    return widths == nullptr ? S_OK : INPLACE_E_NOTOOLSPACE;
  }
  HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject* object,
                                            LPCOLESTR) noexcept override {
    if (object != nullptr) object->AddRef();
    active_ = ComPtr<IOleInPlaceActiveObject>(object);
    return S_OK;
  }

  // IOleInPlaceFrame: no shared menus, status line or accelerators.
  HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, OLEMENUGROUPWIDTHS*) noexcept override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) noexcept override { return S_OK; }
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*, WORD) noexcept override { return S_FALSE; }

 private:
  ~WebBrowserSite() = default;

  LONG references_ = 1;
  HWND parent_ = nullptr;  // not owned
  RECT bounds_ = {};
  bool inPlaceActive_ = false;
  ComPtr<IOleInPlaceActiveObject> active_;
};

WebBrowserHost::WebBrowserHost(const CLSID& classId) : site_(new WebBrowserSite) {
  try {
    CheckResult(CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                 IID_IOleObject, control_.receiveVoid()));
    CheckResult(control_->SetClientSite(site_.get()));
    // Absent only for controls that keep their state otherwise; they start as created.
    control_.queryInterface(persistence_);
    connectEvents();
  } catch (...) {
    release();
    throw;
  }
}

WebBrowserHost::~WebBrowserHost() { release(); }

void WebBrowserHost::connectEvents() {
  // The program binds no events, and the control works without a listener, so
  // a control that cannot be connected is used unconnected.
  ComPtr<IConnectionPointContainer> container;
  if (FAILED(control_.queryInterface(container))) return;
  ComPtr<IConnectionPoint> point;
  if (FAILED(container->FindConnectionPoint(__uuidof(DWebBrowserEvents2), point.receive()))) return;
  const ComPtr<EventSink> sink(new EventSink);
  DWORD cookie = 0;
  if (FAILED(point->Advise(sink.get(), &cookie))) return;
  events_ = std::move(point);
  eventsCookie_ = cookie;
}

void WebBrowserHost::activate(HWND parent, const RECT& bounds) {
  site_->place(parent, bounds);
  // The control starts from its default state: the stored state is ours to
  // choose, and a new control's state is what the pane wants. Once only: a
  // second InitNew fails with E_UNEXPECTED.
  if (persistence_ && !initialised_) {
    CheckResult(persistence_->InitNew());
    initialised_ = true;
  }
  RECT position = bounds;
  const HRESULT verb =
      control_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_.get(), 0, parent, &position);
  if (FAILED(verb) || !site_->inPlaceActive() || FAILED(control_.queryInterface(inPlace_)))
    throw EOleError(kActivateFailed);
  HWND window = nullptr;
  if (FAILED(inPlace_->GetWindow(&window)) || window == nullptr) throw EOleError(kNoWindowHandle);
  window_ = window;
}

void WebBrowserHost::setBounds(const RECT& bounds) {
  site_->setBounds(bounds);
  if (inPlace_) CheckResult(inPlace_->SetObjectRects(&bounds, &bounds));
}

void WebBrowserHost::navigate(const std::wstring& url) {
  ComPtr<IWebBrowser2> browser;
  CheckResult(control_.queryInterface(browser));
  const Bstr address(url);
  // Flags, target frame, post data and headers: all VT_EMPTY.
  VARIANT flags, target, postData, headers;
  VariantInit(&flags);
  VariantInit(&target);
  VariantInit(&postData);
  VariantInit(&headers);
  CheckResult(browser->Navigate(address.get(), &flags, &target, &postData, &headers));
}

DWORD WebBrowserHost::miscStatus() const {
  DWORD status = 0;
  if (FAILED(control_->GetMiscStatus(DVASPECT_CONTENT, &status))) return 0;
  return status;
}

void WebBrowserHost::focus() noexcept {
  if (!inPlace_ || window_ == nullptr) return;
  RECT position = site_->bounds();
  // A control whose user interface cannot be activated still gets the focus on
  // its window below, so the result does not matter.
  control_->DoVerb(OLEIVERB_UIACTIVATE, nullptr, site_.get(), 0, site_->parent(), &position);
  HWND focused = GetFocus();
  if (focused != window_ && !IsChild(window_, focused)) SetFocus(window_);
}

bool WebBrowserHost::translateKey(MSG& message) noexcept {
  if (!inPlace_) return false;
  ComPtr<IOleInPlaceActiveObject> active;
  if (IOleInPlaceActiveObject* named = site_->activeObject()) {
    named->AddRef();
    active = ComPtr<IOleInPlaceActiveObject>(named);
  } else if (FAILED(control_.queryInterface(active))) {
    return false;
  }
  return active->TranslateAccelerator(&message) == S_OK;
}

void WebBrowserHost::release() noexcept {
  if (events_) events_->Unadvise(eventsCookie_);
  events_.reset();
  if (inPlace_) inPlace_->InPlaceDeactivate();
  inPlace_.reset();
  window_ = nullptr;
  if (control_) {
    control_->Close(OLECLOSE_NOSAVE);
    control_->SetClientSite(nullptr);
  }
  persistence_.reset();
  control_.reset();
  if (site_) site_->forgetActiveObject();
  site_.reset();
}

}  // namespace tarnsel::platform::win32
