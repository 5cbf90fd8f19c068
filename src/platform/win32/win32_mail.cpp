// Sending a prepared message through MAPI32.DLL.
#include "platform/win32/win32_mail.h"

#include "platform/win32/win32_system_library.h"
#include "platform/win32/win32_text.h"

#include <windows.h>

#include <mapi.h>

#include <string>
#include <vector>

namespace cellaro::win32 {

namespace {

constexpr ULONG kNoLibrary = MAPI_E_FAILURE;
constexpr std::string_view kInternetAddressPrefix = "SMTP:";

// UTF-8 to the ANSI code page, which is what the simple mail interface reads; characters the code
// page lacks become its default character.
std::string toAnsi(const std::string& utf8) {
    const std::wstring wide = toWide(utf8);
    if (wide.empty()) {
        return {};
    }
    const int length = static_cast<int>(wide.size());
    const int needed = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) {
        return {};
    }
    std::string ansi(static_cast<std::size_t>(needed), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide.data(), length, ansi.data(), needed, nullptr, nullptr);
    return ansi;
}

std::string fileNamePart(const std::string& path) {
    const auto separator = path.find_last_of("\\/");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

// The thread's visible, enabled top-level windows are disabled for the object's life and enabled
// again when it ends, whatever happened meanwhile.
class DisabledWindows {
public:
    DisabledWindows() {
        ::EnumThreadWindows(::GetCurrentThreadId(), &DisabledWindows::collect,
                            reinterpret_cast<LPARAM>(this));
        for (const HWND window : windows_) {
            ::EnableWindow(window, FALSE);
        }
    }
    DisabledWindows(const DisabledWindows&) = delete;
    DisabledWindows& operator=(const DisabledWindows&) = delete;
    DisabledWindows(DisabledWindows&&) = delete;
    DisabledWindows& operator=(DisabledWindows&&) = delete;
    ~DisabledWindows() {
        for (const HWND window : windows_) {
            if (::IsWindow(window) != 0) {
                ::EnableWindow(window, TRUE);
            }
        }
    }

private:
    static BOOL CALLBACK collect(HWND window, LPARAM self) {
        if (::IsWindowVisible(window) != 0 && ::IsWindowEnabled(window) != 0) {
            reinterpret_cast<DisabledWindows*>(self)->windows_.push_back(window);
        }
        return TRUE;
    }

    std::vector<HWND> windows_;
};

// The message's texts in the code page the interface reads, kept alive while it is sent.
struct AnsiMessage {
    explicit AnsiMessage(const MailMessage& message)
        : to(toAnsi(message.to)), address(std::string(kInternetAddressPrefix) + to),
          subject(toAnsi(message.subject)), body(toAnsi(message.body)) {
        for (const std::string& path : message.attachments) {
            paths.push_back(toAnsi(path));
            names.push_back(fileNamePart(paths.back()));
        }
    }

    std::string to;
    std::string address;
    std::string subject;
    std::string body;
    std::vector<std::string> paths;
    std::vector<std::string> names;
};

} // namespace

MailResult Win32MailSender::sendMail(WindowId owner, const MailMessage& message) {
    const ScopedLibrary library = loadSystemLibrary(L"MAPI32.DLL");
    const auto logon = procAddress<LPMAPILOGON>(library.get(), "MAPILogon");
    const auto send = procAddress<LPMAPISENDMAIL>(library.get(), "MAPISendMail");
    const auto logoff = procAddress<LPMAPILOGOFF>(library.get(), "MAPILogoff");
    if (logon == nullptr || send == nullptr || logoff == nullptr) {
        return MailResult{MailStatus::Unavailable, kNoLibrary};
    }
    const auto ownerParam = static_cast<ULONG_PTR>(owner.value);
    LHANDLE session = 0;
    const ULONG logonCode =
        logon(ownerParam, nullptr, nullptr, MAPI_LOGON_UI | MAPI_NEW_SESSION, 0, &session);
    if (logonCode != SUCCESS_SUCCESS) {
        return MailResult{MailStatus::Unavailable, logonCode};
    }

    AnsiMessage texts(message);
    MapiRecipDesc recipient{};
    recipient.ulRecipClass = MAPI_TO;
    recipient.lpszName = texts.to.data();
    recipient.lpszAddress = texts.address.data();
    std::vector<MapiFileDesc> files(texts.paths.size());
    for (std::size_t index = 0; index < files.size(); ++index) {
        files[index].nPosition = static_cast<ULONG>(-1); // wherever the mail program puts it
        files[index].lpszPathName = texts.paths[index].data();
        files[index].lpszFileName = texts.names[index].data();
    }
    MapiMessage mapiMessage{};
    if (!message.subject.empty()) {
        mapiMessage.lpszSubject = texts.subject.data();
    }
    if (!message.body.empty()) {
        mapiMessage.lpszNoteText = texts.body.data();
    }
    if (!message.to.empty()) {
        mapiMessage.nRecipCount = 1;
        mapiMessage.lpRecips = &recipient;
    }
    if (!files.empty()) {
        mapiMessage.nFileCount = static_cast<ULONG>(files.size());
        mapiMessage.lpFiles = files.data();
    }

    ULONG sendCode = 0;
    {
        const DisabledWindows disabled;
        sendCode = send(session, ownerParam, &mapiMessage, MAPI_DIALOG, 0);
    }
    logoff(session, ownerParam, 0, 0);
    return MailResult{MailStatus::Handed, sendCode};
}

} // namespace cellaro::win32
