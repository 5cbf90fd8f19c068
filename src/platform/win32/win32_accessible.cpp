// The accessible object of a form's client area: IAccessible over the items the form reports,
// asked afresh on every call.
#include "platform/win32/win32_accessible.h"

#include "platform/win32/win32_text.h"

#include <oleacc.h>

#include <atomic>
#include <cstddef>
#include <new>
#include <string>
#include <string_view>

namespace cellaro::win32 {

namespace {

// The interfaces' identities come from the headers (__uuidof): oleacc's import library offers
// IID_IAccessible only as an imported datum, which code compiled without dllimport reaches as a
// jump stub's bytes instead of the identity.

LONG systemRole(AccessibleRole role) {
    switch (role) {
    case AccessibleRole::PushButton:
        return ROLE_SYSTEM_PUSHBUTTON;
    case AccessibleRole::CheckBox:
        return ROLE_SYSTEM_CHECKBUTTON;
    case AccessibleRole::Slider:
        return ROLE_SYSTEM_SLIDER;
    case AccessibleRole::SpinBox:
        return ROLE_SYSTEM_SPINBUTTON;
    case AccessibleRole::HotKeyField:
        return ROLE_SYSTEM_HOTKEYFIELD;
    case AccessibleRole::Link:
        return ROLE_SYSTEM_LINK;
    case AccessibleRole::ListItem:
        return ROLE_SYSTEM_LISTITEM;
    case AccessibleRole::CellGrid:
        return ROLE_SYSTEM_TABLE;
    case AccessibleRole::None: // the form leaves such widgets out; text is the plainest answer
    case AccessibleRole::Text:
        break;
    }
    return ROLE_SYSTEM_STATICTEXT;
}

// What a click on the item does, as a screen reader announces it; empty for items that a click
// does not act on as a whole (sliders, editors, the grid).
std::string_view defaultActionOf(const AccessibleItem& item) {
    switch (item.role) {
    case AccessibleRole::PushButton:
        return "Press";
    case AccessibleRole::CheckBox:
        return item.checked ? "Uncheck" : "Check";
    case AccessibleRole::Link:
        return "Jump";
    case AccessibleRole::ListItem:
        return "Click";
    default:
        return {};
    }
}

// A text answer: S_FALSE with no string for an empty text, as the interface asks.
HRESULT textAnswer(std::string_view utf8, BSTR* answer) {
    if (utf8.empty()) {
        return S_FALSE;
    }
    const std::wstring wide = toWide(utf8);
    *answer = ::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    return *answer != nullptr ? S_OK : E_OUTOFMEMORY;
}

void setChildId(VARIANT* variant, LONG id) {
    variant->vt = VT_I4;
    variant->lVal = id;
}

// No exception may leave a method of the interface: it would unwind through the system's
// marshalling code.
template <typename Body> HRESULT guarded(Body&& body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

class ClientAccessible final : public IAccessible {
public:
    ClientAccessible(HWND window, AccessibleWindowLookup lookup) : window_(window), lookup_(lookup) {}
    ClientAccessible(const ClientAccessible&) = delete;
    ClientAccessible& operator=(const ClientAccessible&) = delete;
    ClientAccessible(ClientAccessible&&) = delete;
    ClientAccessible& operator=(ClientAccessible&&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID interfaceId, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (interfaceId == __uuidof(IUnknown) || interfaceId == __uuidof(IDispatch) ||
            interfaceId == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

    // IDispatch: not offered; clients call the methods of IAccessible.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) {
            return E_POINTER;
        }
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT /*index*/, LCID /*locale*/, ITypeInfo** info) override {
        if (info != nullptr) {
            *info = nullptr;
        }
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID /*unused*/, LPOLESTR* /*names*/, UINT /*count*/,
                                            LCID /*locale*/, DISPID* /*ids*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID /*member*/, REFIID /*unused*/, LCID /*locale*/, WORD /*flags*/,
                                     DISPPARAMS* /*parameters*/, VARIANT* /*result*/,
                                     EXCEPINFO* /*exception*/, UINT* /*argumentError*/) override {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (parent == nullptr) {
            return E_POINTER;
        }
        *parent = nullptr;
        if (lookup_(window_) == nullptr) {
            return CO_E_OBJNOTCONNECTED;
        }
        // The window's own object (frame, title bar, client) is the client area's parent.
        return ::CreateStdAccessibleObject(window_, OBJID_WINDOW, __uuidof(IDispatch),
                                           reinterpret_cast<void**>(parent));
    }

    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        if (count == nullptr) {
            return E_POINTER;
        }
        *count = 0;
        return guarded([&] {
            View view;
            const HRESULT found = look(view);
            if (FAILED(found)) {
                return found;
            }
            *count = static_cast<LONG>(view.items.size());
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT id, IDispatch** child) override {
        if (child == nullptr) {
            return E_POINTER;
        }
        *child = nullptr;
        return guarded([&] {
            View view;
            int index = 0;
            const HRESULT found = lookChild(id, view, index);
            if (FAILED(found)) {
                return found;
            }
            // The items are simple elements: they have no object of their own.
            return index < 0 ? E_INVALIDARG : S_FALSE;
        });
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT id, BSTR* name) override {
        if (name == nullptr) {
            return E_POINTER;
        }
        *name = nullptr;
        return guarded([&] {
            View view;
            int index = 0;
            const HRESULT found = lookChild(id, view, index);
            if (FAILED(found)) {
                return found;
            }
            if (index >= 0) {
                return textAnswer(item(view, index).name, name);
            }
            std::wstring title(static_cast<std::size_t>(::GetWindowTextLengthW(window_)) + 1, L'\0');
            title.resize(static_cast<std::size_t>(
                ::GetWindowTextW(window_, title.data(), static_cast<int>(title.size()))));
            return textAnswer(toUtf8(title), name);
        });
    }

    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT id, BSTR* value) override {
        if (value == nullptr) {
            return E_POINTER;
        }
        *value = nullptr;
        return guarded([&] {
            View view;
            int index = 0;
            const HRESULT found = lookChild(id, view, index);
            if (FAILED(found)) {
                return found;
            }
            return index < 0 ? S_FALSE : textAnswer(item(view, index).value, value);
        });
    }

    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT id, BSTR* description) override {
        return noText(id, description);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT id, BSTR* help) override { return noText(id, help); }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT id, BSTR* shortcut) override {
        return noText(id, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT id, LONG* topic) override {
        if (topic == nullptr) {
            return E_POINTER;
        }
        *topic = -1;
        return noText(id, file);
    }

    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT id, VARIANT* role) override {
        if (role == nullptr) {
            return E_POINTER;
        }
        ::VariantInit(role);
        return guarded([&] {
            View view;
            int index = 0;
            const HRESULT found = lookChild(id, view, index);
            if (FAILED(found)) {
                return found;
            }
            setChildId(role, index < 0 ? ROLE_SYSTEM_CLIENT : systemRole(item(view, index).role));
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE get_accState(VARIANT id, VARIANT* state) override {
        if (state == nullptr) {
            return E_POINTER;
        }
        ::VariantInit(state);
        return guarded([&] {
            View view;
            int index = 0;
            const HRESULT found = lookChild(id, view, index);
            if (FAILED(found)) {
                return found;
            }
            setChildId(state, static_cast<LONG>(stateOf(view, index)));
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* id) override {
        if (id == nullptr) {
            return E_POINTER;
        }
        ::VariantInit(id);
        return guarded([&] {
            View view;
            const HRESULT found = look(view);
            if (FAILED(found)) {
                return found;
            }
            if (!hasKeyboardFocus()) {
                return S_FALSE;
            }
            setChildId(id, CHILDID_SELF);
            for (std::size_t index = 0; index < view.items.size(); ++index) {
                if (view.items[index].focused) {
                    setChildId(id, static_cast<LONG>(index + 1));
                }
            }
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* id) override {
        if (id == nullptr) {
            return E_POINTER;
        }
        ::VariantInit(id);
        return lookup_(window_) == nullptr ? CO_E_OBJNOTCONNECTED : S_FALSE; // nothing is ever selected
    }

    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT id, BSTR* action) override {
        if (action == nullptr) {
            return E_POINTER;
        }
        *action = nullptr;
        return guarded([&] {
            View view;
            int index = 0;
            const HRESULT found = lookChild(id, view, index);
            if (FAILED(found)) {
                return found;
            }
            return index < 0 ? S_FALSE : textAnswer(defaultActionOf(item(view, index)), action);
        });
    }

    HRESULT STDMETHODCALLTYPE accSelect(LONG /*flags*/, VARIANT id) override {
        return guarded([&] {
            View view;
            int index = 0;
            const HRESULT found = lookChild(id, view, index);
            return FAILED(found) ? found : DISP_E_MEMBERNOTFOUND;
        });
    }

    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT id) override {
        if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) {
            return E_POINTER;
        }
        *left = *top = *width = *height = 0;
        return guarded([&] {
            View view;
            int index = 0;
            const HRESULT found = lookChild(id, view, index);
            if (FAILED(found)) {
                return found;
            }
            RECT area{};
            if (index < 0) {
                ::GetClientRect(window_, &area);
            } else {
                const Rect& bounds = item(view, index).bounds;
                area = RECT{bounds.left, bounds.top, bounds.right, bounds.bottom};
            }
            POINT corner{area.left, area.top};
            ::ClientToScreen(window_, &corner);
            *left = corner.x;
            *top = corner.y;
            *width = area.right - area.left;
            *height = area.bottom - area.top;
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        if (end == nullptr) {
            return E_POINTER;
        }
        ::VariantInit(end);
        return guarded([&] {
            View view;
            int index = 0;
            const HRESULT found = lookChild(start, view, index);
            if (FAILED(found)) {
                return found;
            }
            const auto count = static_cast<LONG>(view.items.size());
            if (index < 0) {
                if (direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD) {
                    if (count == 0) {
                        return S_FALSE;
                    }
                    setChildId(end, direction == NAVDIR_FIRSTCHILD ? 1 : count);
                    return S_OK;
                }
                // From the client area itself the neighbours are the window's other parts, which
                // the system's own object knows.
                return standardNavigate(direction, start, end);
            }
            const LONG childId = index + 1;
            switch (direction) {
            case NAVDIR_NEXT:
                if (childId >= count) {
                    return S_FALSE;
                }
                setChildId(end, childId + 1);
                return S_OK;
            case NAVDIR_PREVIOUS:
                if (childId <= 1) {
                    return S_FALSE;
                }
                setChildId(end, childId - 1);
                return S_OK;
            case NAVDIR_FIRSTCHILD:
            case NAVDIR_LASTCHILD:
                return E_INVALIDARG; // a simple element has no children
            default:
                return DISP_E_MEMBERNOTFOUND; // no moves by direction on the screen
            }
        });
    }

    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* id) override {
        if (id == nullptr) {
            return E_POINTER;
        }
        ::VariantInit(id);
        return guarded([&] {
            View view;
            const HRESULT found = look(view);
            if (FAILED(found)) {
                return found;
            }
            POINT at{x, y};
            RECT client{};
            ::GetClientRect(window_, &client);
            if (::IsWindowVisible(window_) == FALSE || ::ScreenToClient(window_, &at) == FALSE ||
                ::PtInRect(&client, at) == FALSE) {
                return S_FALSE;
            }
            setChildId(id, CHILDID_SELF);
            // Later items are painted over earlier ones (a list's rows over the list): the last
            // one under the point is the one seen.
            for (std::size_t index = view.items.size(); index > 0; --index) {
                if (view.items[index - 1].bounds.contains(Point{at.x, at.y})) {
                    setChildId(id, static_cast<LONG>(index));
                    break;
                }
            }
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT id) override {
        return guarded([&] {
            View view;
            int index = 0;
            const HRESULT found = lookChild(id, view, index);
            if (FAILED(found)) {
                return found;
            }
            if (index < 0 || defaultActionOf(item(view, index)).empty()) {
                return DISP_E_MEMBERNOTFOUND;
            }
            view.window->requestClick(index, item(view, index));
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE put_accName(VARIANT /*id*/, BSTR /*name*/) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT /*id*/, BSTR /*value*/) override { return E_NOTIMPL; }

private:
    // Released through Release only.
    ~ClientAccessible() = default;

    struct View {
        AccessibleWindow* window = nullptr;
        std::vector<AccessibleItem> items;
    };

    // The window and its items now; CO_E_OBJNOTCONNECTED once the window is gone.
    HRESULT look(View& view) const {
        view.window = lookup_(window_);
        if (view.window == nullptr) {
            return CO_E_OBJNOTCONNECTED;
        }
        view.items = view.window->accessibleItems();
        return S_OK;
    }

    // look, and the index of the item the child id names (-1 for the client area itself).
    HRESULT lookChild(const VARIANT& id, View& view, int& index) const {
        const HRESULT found = look(view);
        if (FAILED(found)) {
            return found;
        }
        if (id.vt != VT_I4 || id.lVal < 0 || id.lVal > static_cast<LONG>(view.items.size())) {
            return E_INVALIDARG;
        }
        index = static_cast<int>(id.lVal) - 1;
        return S_OK;
    }

    static const AccessibleItem& item(const View& view, int index) {
        return view.items[static_cast<std::size_t>(index)];
    }

    // The form's window holds the keyboard focus on its thread (where every call comes).
    [[nodiscard]] bool hasKeyboardFocus() const { return ::GetFocus() == window_; }

    [[nodiscard]] DWORD stateOf(const View& view, int index) const {
        const bool windowShown = ::IsWindowVisible(window_) != FALSE;
        if (index < 0) {
            bool itemFocused = false;
            for (const AccessibleItem& each : view.items) {
                itemFocused = itemFocused || each.focused;
            }
            DWORD state = STATE_SYSTEM_FOCUSABLE;
            state |= windowShown ? 0 : STATE_SYSTEM_INVISIBLE;
            state |= hasKeyboardFocus() && !itemFocused ? STATE_SYSTEM_FOCUSED : 0;
            return state;
        }
        const AccessibleItem& shown = item(view, index);
        DWORD state = 0;
        state |= shown.focusable ? STATE_SYSTEM_FOCUSABLE : 0;
        state |= shown.focused && hasKeyboardFocus() ? STATE_SYSTEM_FOCUSED : 0;
        state |= shown.checked ? STATE_SYSTEM_CHECKED : 0;
        state |= shown.disabled ? STATE_SYSTEM_UNAVAILABLE : 0;
        state |= shown.role == AccessibleRole::Link ? STATE_SYSTEM_LINKED : 0;
        state |= windowShown ? 0 : STATE_SYSTEM_INVISIBLE;
        RECT client{};
        ::GetClientRect(window_, &client);
        const Rect& bounds = shown.bounds;
        if (bounds.right <= client.left || bounds.left >= client.right || bounds.bottom <= client.top ||
            bounds.top >= client.bottom) {
            state |= STATE_SYSTEM_OFFSCREEN; // scrolled out of sight
        }
        return state;
    }

    HRESULT noText(const VARIANT& id, BSTR* text) const {
        if (text == nullptr) {
            return E_POINTER;
        }
        *text = nullptr;
        return guarded([&] {
            View view;
            int index = 0;
            const HRESULT found = lookChild(id, view, index);
            return FAILED(found) ? found : S_FALSE;
        });
    }

    HRESULT standardNavigate(LONG direction, const VARIANT& start, VARIANT* end) const {
        IAccessible* standard = nullptr;
        if (FAILED(::CreateStdAccessibleObject(window_, OBJID_CLIENT, __uuidof(IAccessible),
                                               reinterpret_cast<void**>(&standard))) ||
            standard == nullptr) {
            return S_FALSE;
        }
        const HRESULT result = standard->accNavigate(direction, start, end);
        standard->Release();
        return result;
    }

    HWND window_;
    AccessibleWindowLookup lookup_;
    std::atomic<ULONG> references_{1};
};

} // namespace

LRESULT answerGetObject(HWND window, WPARAM wParam, LPARAM lParam, AccessibleWindowLookup lookup) {
    // The object id is a 32-bit value, whatever the width of the parameter.
    if (static_cast<LONG>(lParam) != OBJID_CLIENT || lookup(window) == nullptr) {
        return 0;
    }
    auto* object = new (std::nothrow) ClientAccessible(window, lookup);
    if (object == nullptr) {
        return 0;
    }
    const LRESULT reference = ::LresultFromObject(__uuidof(IAccessible), wParam, object);
    // The reference holds the object from here; ours, the one it was made with, goes.
    object->Release();
    // Should the object not go out (no COM on the thread, say), the system's own description of
    // the window is still better than none.
    return reference > 0 ? reference : 0;
}

} // namespace cellaro::win32
