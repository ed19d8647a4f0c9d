// An ordered log of window messages for tests of message behaviour: each
// entry is the window, the message, whether it was sent or posted, wParam
// and lParam. Watch() records what reaches chosen windows through two hooks
// on the calling thread (WH_CALLWNDPROC sees sent messages before the window
// procedure, WH_GETMESSAGE sees posted ones as the loop takes them); Add()
// records from inside a window procedure (a recorder under a skinner).
//
// Diff() compares the log with an expected sequence and returns "" or a
// printout of both sequences with the first difference marked. Only messages
// whose number occurs in the expected sequence (or in a given set) take
// part, so unrelated traffic does not matter but order, kind and parameters
// of the messages of interest do. An expected entry may be optional.
#pragma once
#include <windows.h>

#include <cstdio>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tftest {

// Sent and posted as the hooks see them; Called for what a window procedure
// recorded itself (it cannot tell).
enum class Via : uint8_t { Sent, Posted, Called };

struct LoggedMessage {
    HWND Window;
    UINT Msg;
    Via How;
    WPARAM WParam;
    LPARAM LParam;
};

struct Expect {
    UINT Msg = 0;
    std::optional<Via> How;
    std::optional<WPARAM> WParam;
    std::optional<LPARAM> LParam;
    bool Optional = false;
    HWND Window = nullptr;   // null: any watched window

    Expect& W(WPARAM v) { WParam = v; return *this; }
    Expect& L(LPARAM v) { LParam = v; return *this; }
    Expect& Opt() { Optional = true; return *this; }
    Expect& To(HWND w) { Window = w; return *this; }
};
inline Expect Sent(UINT msg) { Expect e; e.Msg = msg; e.How = Via::Sent; return e; }
inline Expect Posted(UINT msg) { Expect e; e.Msg = msg; e.How = Via::Posted; return e; }
inline Expect AnyWay(UINT msg) { Expect e; e.Msg = msg; return e; }
inline Expect Called(UINT msg) { Expect e; e.Msg = msg; e.How = Via::Called; return e; }

// The name of a message for printouts (the common ones and the skin's own).
inline std::string MessageName(UINT msg)
{
    static const struct { UINT Msg; const char* Name; } names[] = {
        {WM_CREATE, "WM_CREATE"}, {WM_DESTROY, "WM_DESTROY"}, {WM_MOVE, "WM_MOVE"}, {WM_SIZE, "WM_SIZE"},
        {WM_ACTIVATE, "WM_ACTIVATE"}, {WM_SETFOCUS, "WM_SETFOCUS"}, {WM_KILLFOCUS, "WM_KILLFOCUS"},
        {WM_SETTEXT, "WM_SETTEXT"}, {WM_PAINT, "WM_PAINT"}, {WM_CLOSE, "WM_CLOSE"}, {WM_ERASEBKGND, "WM_ERASEBKGND"},
        {WM_SHOWWINDOW, "WM_SHOWWINDOW"}, {WM_ACTIVATEAPP, "WM_ACTIVATEAPP"}, {WM_GETMINMAXINFO, "WM_GETMINMAXINFO"},
        {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"}, {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"},
        {WM_STYLECHANGING, "WM_STYLECHANGING"}, {WM_STYLECHANGED, "WM_STYLECHANGED"}, {WM_SETICON, "WM_SETICON"},
        {WM_NCCREATE, "WM_NCCREATE"}, {WM_NCDESTROY, "WM_NCDESTROY"}, {WM_NCCALCSIZE, "WM_NCCALCSIZE"},
        {WM_NCHITTEST, "WM_NCHITTEST"}, {WM_NCPAINT, "WM_NCPAINT"}, {WM_NCACTIVATE, "WM_NCACTIVATE"},
        {WM_COMMAND, "WM_COMMAND"}, {WM_SYSCOMMAND, "WM_SYSCOMMAND"}, {WM_TIMER, "WM_TIMER"},
        {WM_INITMENUPOPUP, "WM_INITMENUPOPUP"}, {WM_CTLCOLORSTATIC, "WM_CTLCOLORSTATIC"},
        {WM_NCLBUTTONDOWN, "WM_NCLBUTTONDOWN"}, {WM_NCLBUTTONUP, "WM_NCLBUTTONUP"}, {WM_ENTERSIZEMOVE, "WM_ENTERSIZEMOVE"},
        {WM_EXITSIZEMOVE, "WM_EXITSIZEMOVE"}, {WM_MOVING, "WM_MOVING"},
        {0x3401, "SKM_REAPPLY"}, {0x3502, "SKM_REPAINTFRAME"}, {0x3503, "SKM_FORMSKINNED"},
        {0x3506, "SKM_SKINENABLE"}, {0x3516, "SKM_FRAMECHILDREDRAW"}, {0x3523, "SKM_QUERYSKINNED"},
        {0xBC4B, "SKM_PAINTFRAMETO"}, {0xBC4D, "SKM_PROBE"}, {0xBC4E, "SKM_SKINAPPLIED"},
    };
    for (const auto& n : names)
        if (n.Msg == msg) return n.Name;
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%04X", msg);
    return buffer;
}

class MessageLog {
public:
    MessageLog() = default;
    ~MessageLog() { StopWatching(); }
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;

    // Records the messages that reach window from now on.
    void Watch(HWND window)
    {
        FWatched.insert(window);
        if (FCallHook) return;
        Current() = this;
        FCallHook = SetWindowsHookExA(WH_CALLWNDPROC, &CallHook, nullptr, GetCurrentThreadId());
        FGetHook = SetWindowsHookExA(WH_GETMESSAGE, &GetHook, nullptr, GetCurrentThreadId());
    }
    void StopWatching()
    {
        if (FCallHook) UnhookWindowsHookEx(FCallHook);
        if (FGetHook) UnhookWindowsHookEx(FGetHook);
        FCallHook = FGetHook = nullptr;
        if (Current() == this) Current() = nullptr;
    }

    void Add(HWND window, UINT msg, Via how, WPARAM wParam, LPARAM lParam)
    {
        FMessages.push_back(LoggedMessage{window, msg, how, wParam, lParam});
    }
    void Clear() { FMessages.clear(); }
    const std::vector<LoggedMessage>& Messages() const { return FMessages; }
    int Count(UINT msg) const
    {
        int n = 0;
        for (const auto& m : FMessages) n += m.Msg == msg;
        return n;
    }

    // "" when the messages of interest came exactly as expected.
    std::string Diff(const std::vector<Expect>& expected, const std::set<UINT>* interest = nullptr) const
    {
        std::set<UINT> numbers;
        if (interest) numbers = *interest;
        else
            for (const auto& e : expected) numbers.insert(e.Msg);
        std::vector<LoggedMessage> seen;
        for (const auto& m : FMessages)
            if (numbers.count(m.Msg)) seen.push_back(m);
        size_t i = 0, j = 0;
        while (j < expected.size()) {
            if (i < seen.size() && Matches(seen[i], expected[j])) {
                ++i;
                ++j;
            } else if (expected[j].Optional) {
                ++j;
            } else {
                return Printout(expected, seen, j, i);
            }
        }
        if (i < seen.size()) return Printout(expected, seen, j, i);
        return "";
    }

private:
    static bool Matches(const LoggedMessage& m, const Expect& e)
    {
        return m.Msg == e.Msg && (!e.How || *e.How == m.How) && (!e.WParam || *e.WParam == m.WParam) &&
               (!e.LParam || *e.LParam == m.LParam) && (!e.Window || e.Window == m.Window);
    }
    static std::string Describe(UINT msg, std::optional<Via> how, std::optional<WPARAM> w, std::optional<LPARAM> l)
    {
        std::string s = MessageName(msg);
        s += !how ? " any" : *how == Via::Sent ? " sent" : *how == Via::Posted ? " posted" : " called";
        char buffer[64];
        if (w) {
            std::snprintf(buffer, sizeof buffer, " w=0x%lX", static_cast<unsigned long>(*w));
            s += buffer;
        }
        if (l) {
            std::snprintf(buffer, sizeof buffer, " l=0x%lX", static_cast<unsigned long>(*l));
            s += buffer;
        }
        return s;
    }
    static std::string Printout(const std::vector<Expect>& expected, const std::vector<LoggedMessage>& seen,
                                size_t badExpected, size_t badSeen)
    {
        std::string out = "message sequence differs\n  expected:\n";
        for (size_t k = 0; k < expected.size(); ++k) {
            const Expect& e = expected[k];
            out += (k == badExpected ? "  >> " : "     ") + Describe(e.Msg, e.How, e.WParam, e.LParam) +
                   (e.Optional ? " (optional)" : "") + "\n";
        }
        out += "  seen:\n";
        for (size_t k = 0; k < seen.size(); ++k) {
            const LoggedMessage& m = seen[k];
            out += (k == badSeen ? "  >> " : "     ") + Describe(m.Msg, m.How, m.WParam, m.LParam) + "\n";
        }
        if (badSeen >= seen.size()) out += "  >> (nothing more)\n";
        return out;
    }
    static MessageLog*& Current()
    {
        static MessageLog* current = nullptr;
        return current;
    }
    static LRESULT CALLBACK CallHook(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HC_ACTION && Current()) {
            const auto* c = reinterpret_cast<const CWPSTRUCT*>(lParam);
            if (Current()->FWatched.count(c->hwnd)) Current()->Add(c->hwnd, c->message, Via::Sent, c->wParam, c->lParam);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static LRESULT CALLBACK GetHook(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HC_ACTION && wParam == PM_REMOVE && Current()) {
            const auto* m = reinterpret_cast<const MSG*>(lParam);
            if (Current()->FWatched.count(m->hwnd)) Current()->Add(m->hwnd, m->message, Via::Posted, m->wParam, m->lParam);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    std::vector<LoggedMessage> FMessages;
    std::set<HWND> FWatched;
    HHOOK FCallHook = nullptr;
    HHOOK FGetHook = nullptr;
};

} // namespace tftest

// Checks the log against an expected sequence and prints the difference.
#define CHECK_SEQUENCE(log, ...)                                                                            \
    do {                                                                                                     \
        const std::string sequenceDiff_ = (log).Diff(__VA_ARGS__);                                          \
        INFO(sequenceDiff_);                                                                                 \
        CHECK(sequenceDiff_.empty());                                                                        \
    } while (0)
