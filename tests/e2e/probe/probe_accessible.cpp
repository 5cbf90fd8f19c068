// The probe's accessibility verbs. Everything is asked through the system's functions from this
// process, so what the lines show is what crossed the process boundary.
//
//   accessible HWND prints, for the client object (child=0) and then each child (child=1..N):
//     accessible child=N role=WORD state=WORD,WORD... name=TEXT value=TEXT rect=L,T,R,B
//   and for the client object also children=COUNT focus=ID first=ID last=ID parent=ROLE (the parent's
//   role, "accessible" when it does not tell one, or "none"), for a
//   child hit=ID (the hit test at its middle) previous=ID next=ID action=TEXT. An ID is a child id,
//   0 for the client object, or "none".
//
//   accessible-do HWND CHILD prints "action child=ID result=HRESULT".
//
//   focus-events PID COUNT SECONDS prints "listening pid=PID" once the hook is set, then one line
//     focus hwnd=HWND object=ID child=ID name=TEXT
//   per event, and "done events=N reason=count|timeout". The names are read once the listening is
//   over, so that no call to the program runs while events come in.
#include "probe_accessible.h"

#include "probe_output.h"

#include <oleacc.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace probe {

namespace {

// COM on this thread for as long as the verb runs.
class ComScope {
public:
    ComScope() : initialised_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    ~ComScope() {
        if (initialised_) {
            ::CoUninitialize();
        }
    }

private:
    bool initialised_;
};

// One reference to a COM object, released at the end of its scope.
template <typename Interface> class Held {
public:
    Held() = default;
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
    ~Held() {
        if (object_ != nullptr) {
            object_->Release();
        }
    }
    [[nodiscard]] Interface* get() const { return object_; }
    Interface** out() { return &object_; }
    Interface* operator->() const { return object_; }

private:
    Interface* object_ = nullptr;
};

VARIANT childId(LONG id) {
    VARIANT variant;
    ::VariantInit(&variant);
    variant.vt = VT_I4;
    variant.lVal = id;
    return variant;
}

std::wstring roleWord(LONG role) {
    static constexpr std::array<std::pair<LONG, const wchar_t*>, 14> kWords{{
        {ROLE_SYSTEM_WINDOW, L"window"},
        {ROLE_SYSTEM_CLIENT, L"client"},
        {ROLE_SYSTEM_PUSHBUTTON, L"pushbutton"},
        {ROLE_SYSTEM_CHECKBUTTON, L"checkbutton"},
        {ROLE_SYSTEM_RADIOBUTTON, L"radiobutton"},
        {ROLE_SYSTEM_SLIDER, L"slider"},
        {ROLE_SYSTEM_SPINBUTTON, L"spinbutton"},
        {ROLE_SYSTEM_HOTKEYFIELD, L"hotkeyfield"},
        {ROLE_SYSTEM_LINK, L"link"},
        {ROLE_SYSTEM_LISTITEM, L"listitem"},
        {ROLE_SYSTEM_TABLE, L"table"},
        {ROLE_SYSTEM_STATICTEXT, L"statictext"},
        {ROLE_SYSTEM_TEXT, L"text"},
        {ROLE_SYSTEM_GROUPING, L"grouping"},
    }};
    for (const auto& [value, word] : kWords) {
        if (value == role) {
            return word;
        }
    }
    return L"role-" + std::to_wstring(role);
}

std::wstring stateWords(DWORD state) {
    static constexpr std::array<std::pair<DWORD, const wchar_t*>, 12> kWords{{
        {STATE_SYSTEM_UNAVAILABLE, L"unavailable"},
        {STATE_SYSTEM_SELECTED, L"selected"},
        {STATE_SYSTEM_FOCUSED, L"focused"},
        {STATE_SYSTEM_PRESSED, L"pressed"},
        {STATE_SYSTEM_CHECKED, L"checked"},
        {STATE_SYSTEM_READONLY, L"readonly"},
        {STATE_SYSTEM_HOTTRACKED, L"hottracked"},
        {STATE_SYSTEM_INVISIBLE, L"invisible"},
        {STATE_SYSTEM_OFFSCREEN, L"offscreen"},
        {STATE_SYSTEM_FOCUSABLE, L"focusable"},
        {STATE_SYSTEM_SELECTABLE, L"selectable"},
        {STATE_SYSTEM_LINKED, L"linked"},
    }};
    std::wstring words;
    DWORD rest = state;
    for (const auto& [bit, word] : kWords) {
        if ((state & bit) != 0) {
            words += (words.empty() ? L"" : L",") + std::wstring(word);
            rest &= ~bit;
        }
    }
    if (rest != 0) {
        words += (words.empty() ? L"" : L",") + hex(rest);
    }
    return words.empty() ? L"none" : words;
}

// The text of a BSTR answer, which is freed; empty for none.
std::wstring taken(BSTR text) {
    std::wstring result = text != nullptr ? std::wstring(text, ::SysStringLen(text)) : std::wstring();
    ::SysFreeString(text);
    return result;
}

std::wstring nameOf(IAccessible& object, LONG child) {
    BSTR text = nullptr;
    object.get_accName(childId(child), &text);
    return taken(text);
}

std::wstring valueOf(IAccessible& object, LONG child) {
    BSTR text = nullptr;
    object.get_accValue(childId(child), &text);
    return taken(text);
}

std::wstring actionOf(IAccessible& object, LONG child) {
    BSTR text = nullptr;
    object.get_accDefaultAction(childId(child), &text);
    return taken(text);
}

std::wstring roleOf(IAccessible& object, LONG child) {
    VARIANT role;
    ::VariantInit(&role);
    if (const HRESULT result = object.get_accRole(childId(child), &role); FAILED(result)) {
        return L"failed-" + hex(static_cast<ULONG>(result));
    }
    const std::wstring word = role.vt == VT_I4 ? roleWord(role.lVal) : L"vt-" + std::to_wstring(role.vt);
    ::VariantClear(&role);
    return word;
}

std::wstring stateOf(IAccessible& object, LONG child) {
    VARIANT state;
    ::VariantInit(&state);
    if (const HRESULT result = object.get_accState(childId(child), &state); FAILED(result)) {
        return L"failed-" + hex(static_cast<ULONG>(result));
    }
    const std::wstring words =
        state.vt == VT_I4 ? stateWords(static_cast<DWORD>(state.lVal)) : L"vt-" + std::to_wstring(state.vt);
    ::VariantClear(&state);
    return words;
}

std::wstring locationOf(IAccessible& object, LONG child) {
    LONG left = 0;
    LONG top = 0;
    LONG width = 0;
    LONG height = 0;
    if (FAILED(object.accLocation(&left, &top, &width, &height, childId(child)))) {
        return L"failed";
    }
    return rectText(RECT{left, top, left + width, top + height});
}

// A child id answer (from a hit test, navigation or the focus) as the lines print it.
std::wstring idText(HRESULT result, VARIANT& id) {
    std::wstring text;
    if (FAILED(result)) {
        text = L"failed-" + hex(static_cast<ULONG>(result));
    } else if (id.vt == VT_I4) {
        text = std::to_wstring(id.lVal);
    } else if (id.vt == VT_EMPTY) {
        text = L"none";
    } else if (id.vt == VT_DISPATCH) {
        text = L"object";
    } else {
        text = L"vt-" + std::to_wstring(id.vt);
    }
    ::VariantClear(&id);
    return text;
}

std::wstring navigated(IAccessible& object, LONG direction, LONG from) {
    VARIANT end;
    ::VariantInit(&end);
    const HRESULT result = object.accNavigate(direction, childId(from), &end);
    return idText(result, end);
}

std::wstring hitAtMiddle(IAccessible& object, LONG child) {
    LONG left = 0;
    LONG top = 0;
    LONG width = 0;
    LONG height = 0;
    if (FAILED(object.accLocation(&left, &top, &width, &height, childId(child)))) {
        return L"failed";
    }
    VARIANT hit;
    ::VariantInit(&hit);
    const HRESULT result = object.accHitTest(left + width / 2, top + height / 2, &hit);
    return idText(result, hit);
}

std::wstring parentRole(IAccessible& object) {
    Held<IDispatch> parent;
    if (const HRESULT result = object.get_accParent(parent.out()); FAILED(result)) {
        return L"failed-" + hex(static_cast<ULONG>(result));
    }
    if (parent.get() == nullptr) {
        return L"none";
    }
    Held<IAccessible> accessible;
    if (FAILED(parent->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(accessible.out())))) {
        return L"not-accessible";
    }
    // The system's own window object may leave its role untold (as Wine's does): it is there, still.
    const std::wstring role = roleOf(*accessible.get(), CHILDID_SELF);
    return role.rfind(L"failed", 0) == 0 ? L"accessible" : role;
}

std::wstring describedLine(IAccessible& object, LONG child) {
    return L"accessible\tchild=" + std::to_wstring(child) + L"\trole=" + roleOf(object, child) + L"\tstate=" +
           stateOf(object, child) + L"\tname=" + escaped(nameOf(object, child)) + L"\tvalue=" +
           escaped(valueOf(object, child)) + L"\trect=" + locationOf(object, child);
}

constexpr UINT kFocusEventMessage = WM_APP + 1;

// No context comes with the call: the event is queued to this thread, whose loop reads it.
void CALLBACK onFocusEvent(HWINEVENTHOOK /*hook*/, DWORD /*event*/, HWND window, LONG object, LONG child,
                           DWORD /*thread*/, DWORD /*time*/) {
    const auto packed =
        (static_cast<ULONGLONG>(static_cast<ULONG>(object)) << 32U) | static_cast<ULONG>(child);
    ::PostThreadMessageW(::GetCurrentThreadId(), kFocusEventMessage, reinterpret_cast<WPARAM>(window),
                         static_cast<LPARAM>(packed));
}

struct FocusEvent {
    HWND window = nullptr;
    LONG object = 0;
    LONG child = 0;
};

std::wstring focusEventLine(const FocusEvent& event) {
    std::wstring name = L"unknown";
    Held<IAccessible> object;
    VARIANT child;
    ::VariantInit(&child);
    if (SUCCEEDED(::AccessibleObjectFromEvent(event.window, static_cast<DWORD>(event.object),
                                              static_cast<DWORD>(event.child), object.out(), &child)) &&
        object.get() != nullptr) {
        BSTR text = nullptr;
        object->get_accName(child, &text);
        name = taken(text);
    }
    ::VariantClear(&child);
    return L"focus\thwnd=" + hex(reinterpret_cast<UINT_PTR>(event.window)) + L"\tobject=" +
           std::to_wstring(event.object) + L"\tchild=" + std::to_wstring(event.child) + L"\tname=" +
           escaped(name) + L"\n";
}

// The window's client object, as a screen reader gets it; false (with an error line) on failure.
bool clientObject(HWND window, Held<IAccessible>& client) {
    if (::IsWindow(window) == FALSE) {
        write(L"error\tno such window\n");
        return false;
    }
    const HRESULT found =
        ::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                     reinterpret_cast<void**>(client.out()));
    if (FAILED(found) || client.get() == nullptr) {
        write(L"error\tAccessibleObjectFromWindow failed " + hex(static_cast<ULONG>(found)) + L"\n");
        return false;
    }
    return true;
}

} // namespace

int describeAccessible(HWND window) {
    const ComScope com;
    Held<IAccessible> client;
    if (!clientObject(window, client)) {
        return 2;
    }
    IAccessible& object = *client.get();
    LONG count = 0;
    if (FAILED(object.get_accChildCount(&count))) {
        count = 0;
    }
    VARIANT focus;
    ::VariantInit(&focus);
    const HRESULT focusResult = object.get_accFocus(&focus);
    write(describedLine(object, CHILDID_SELF) + L"\tchildren=" + std::to_wstring(count) + L"\tfocus=" +
          idText(focusResult, focus) + L"\tfirst=" + navigated(object, NAVDIR_FIRSTCHILD, CHILDID_SELF) +
          L"\tlast=" + navigated(object, NAVDIR_LASTCHILD, CHILDID_SELF) + L"\tparent=" + parentRole(object) +
          L"\n");
    for (LONG child = 1; child <= count; ++child) {
        write(describedLine(object, child) + L"\thit=" + hitAtMiddle(object, child) + L"\tprevious=" +
              navigated(object, NAVDIR_PREVIOUS, child) + L"\tnext=" + navigated(object, NAVDIR_NEXT, child) +
              L"\taction=" + escaped(actionOf(object, child)) + L"\n");
    }
    return 0;
}

int doDefaultAction(HWND window, LONG child) {
    const ComScope com;
    Held<IAccessible> client;
    if (!clientObject(window, client)) {
        return 2;
    }
    const HRESULT result = client->accDoDefaultAction(childId(child));
    write(L"action\tchild=" + std::to_wstring(child) + L"\tresult=" + hex(static_cast<ULONG>(result)) +
          L"\n");
    return result == S_OK ? 0 : 1;
}

int watchFocusEvents(DWORD processId, int count, int seconds) {
    const ComScope com;
    MSG message{};
    ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE); // the thread's queue, for the posted events
    HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, onFocusEvent,
                                           processId, 0, WINEVENT_OUTOFCONTEXT);
    if (hook == nullptr) {
        write(L"error\tSetWinEventHook failed " + std::to_wstring(::GetLastError()) + L"\n");
        return 2;
    }
    write(L"listening\tpid=" + std::to_wstring(processId) + L"\n");
    std::vector<FocusEvent> events;
    const ULONGLONG deadline = ::GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
    for (ULONGLONG now = ::GetTickCount64(); static_cast<int>(events.size()) < count && now < deadline;
         now = ::GetTickCount64()) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
            if (message.hwnd == nullptr && message.message == kFocusEventMessage) {
                const auto packed = static_cast<ULONGLONG>(message.lParam);
                events.push_back(FocusEvent{reinterpret_cast<HWND>(message.wParam),
                                            static_cast<LONG>(static_cast<ULONG>(packed >> 32U)),
                                            static_cast<LONG>(static_cast<ULONG>(packed & 0xFFFFFFFFU))});
                continue;
            }
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    ::UnhookWinEvent(hook);
    for (const FocusEvent& event : events) {
        write(focusEventLine(event));
    }
    const bool complete = static_cast<int>(events.size()) >= count;
    write(L"done\tevents=" + std::to_wstring(events.size()) + L"\treason=" +
          (complete ? L"count" : L"timeout") + L"\n");
    return complete ? 0 : 1;
}

} // namespace probe
