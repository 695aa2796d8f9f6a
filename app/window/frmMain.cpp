#include "frmMain.h"

#include <algorithm>

#include "app/RequirementChecks.h"
#include "app/report/RunReport.h"
#include "app/res/resource.h"
#include "app/window/DialogFont.h"
#include "app/window/FixLayout.h"
#include "app/window/FixStart.h"
#include "app/window/LabelFit.h"
#include "app/window/RaisedFlag.h"
#include "app/window/Rows.h"
#include "app/window/ScreenPlacement.h"
#include "checks/FolderChecks.h"
#include "os/OsCheck.h"
#include "platform/Clipboard.h"
#include "platform/Dpi.h"
#include "platform/SelectionGuard.h"

#include <commctrl.h>

namespace {

constexpr char kClassName[] = "QTSysCheckMainWindow";
// Posted on activation, so that the run starts from the message loop and not from inside the
// window manager's activation sequence; and for F5, likewise.
constexpr UINT kMsgActivated = WM_APP + 1;
constexpr UINT kMsgCheckAgain = WM_APP + 2;
constexpr DWORD kFrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;  // fixed single, no min/max

// Ctrl+C, or Ctrl+Insert, as message boxes take them for copying their text.
bool IsCopyKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || (msg.wParam != 'C' && msg.wParam != VK_INSERT)) return false;
    return GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0 && GetKeyState(VK_SHIFT) >= 0;
}

// F5 alone, as browsers and Explorer take it for "again".
bool IsCheckAgainKey(const MSG& msg) {
    return msg.message == WM_KEYDOWN && msg.wParam == VK_F5 && GetKeyState(VK_CONTROL) >= 0 &&
           GetKeyState(VK_MENU) >= 0 && GetKeyState(VK_SHIFT) >= 0;
}

// The window's rectangle around its client area at `dpi`.
RECT FrameAt(int dpi) {
    RECT frame{0, 0, layout::TwipsToPixels(layout::kClientWidth, dpi),
               layout::TwipsToPixels(layout::kClientHeight, dpi)};
    platform::AdjustFrameForDpi(frame, kFrameStyle, 0, dpi);
    return frame;
}

}  // namespace

frmMain::frmMain(HINSTANCE instance) : instance_(instance), run_(*this, Steps()) {}

std::array<CheckStep, kRowCount> frmMain::Steps() {
    // One line per row; a row without a check keeps its question mark.
    return {{
        {Row::InternetApp, nullptr, [this] { return CheckAppUrl(); }},
        {Row::InternetData, nullptr, [this] { return CheckDataUrl(); }},
        {Row::Os, [this] { return CheckOS(); }},
        {Row::Installer, [this] { return CheckInstaller(); }},
        {Row::DotNet, [this] { return CheckDotNet(); }},
        {Row::MsHtml, [this] { return CheckMsHtmlInterop(); }},
        {Row::SmartCard, nullptr, [this] { return CheckSmartCardDriver(); }},
    }};
}

bool frmMain::Create(int showCommand) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &frmMain::WindowProc;
    wc.hInstance = instance_;
    wc.hIcon = LoadIconA(instance_, MAKEINTRESOURCEA(IDI_LOGO));
    wc.hIconSm = static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(IDI_LOGO), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    wc.hbrBackground = nullptr;  // painted in the window's own colours (WM_ERASEBKGND)
    wc.lpszClassName = kClassName;
    if (!RegisterClassExA(&wc)) return false;

    dpi_ = platform::SystemDpi();
    const RECT frame = FrameAt(dpi_);
    const HWND hwnd = CreateWindowExA(0, kClassName, layout::kTitle, kFrameStyle, CW_USEDEFAULT,
                                      CW_USEDEFAULT, frame.right - frame.left,
                                      frame.bottom - frame.top, nullptr, nullptr, instance_, this);
    if (!hwnd) return false;
    // Where Windows scales each monitor on its own, the window may open on one whose scale is not
    // the session's.
    if (const int dpi = platform::WindowDpi(hwnd); dpi != dpi_) OnDpiChanged(dpi, nullptr);
    KeepClientSize();
    ShowWindow(hwnd, showCommand);
    UpdateWindow(hwnd);
    return true;
}

LRESULT CALLBACK frmMain::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<frmMain*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<frmMain*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
    return self->HandleMessage(message, wParam, lParam);
}

LRESULT frmMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            Form_Load();
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) PostMessageA(hwnd_, kMsgActivated, 0, 0);
            break;
        case kMsgActivated:
            Form_Activate();
            return 0;
        case kMsgCheckAgain:
            if (!starting_) run_.OnCheckAgain();  // a start in progress still uses the findings
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == layout::cmdClose && HIWORD(wParam) == BN_CLICKED) cmdClose_Click();
            if (LOWORD(wParam) == IDCANCEL) OnEscape();  // the dialog manager's answer to Esc
            // The dialog manager's answer to Enter, where the focused link did not take the key.
            if (LOWORD(wParam) == IDOK && GetFocus() && GetParent(GetFocus()) == hwnd_)
                OnLink(GetDlgCtrlID(GetFocus()));
            return 0;
        case WM_NOTIFY: {
            const auto& note = *reinterpret_cast<const NMHDR*>(lParam);
            if (note.code == NM_CLICK || note.code == NM_RETURN) OnLink(static_cast<int>(note.idFrom));
            return 0;
        }
        case platform::kMsgDpiChanged:
            OnDpiChanged(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_DRAWITEM:
            OnDrawPicture(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_ERASEBKGND: {
            RECT client{};
            GetClientRect(hwnd_, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, scheme_.background());
            return TRUE;
        }
        case WM_SYSCOLORCHANGE:
            // The common controls (the links, the tooltips) learn of it only from their window.
            ForwardToControls(message, wParam, lParam);
            UpdateColours();
            break;
        case WM_SETTINGCHANGE:  // high contrast turned on or off, among others
            UpdateColours();
            break;
        case WM_SETCURSOR:
            if (OnSetCursor()) return TRUE;
            break;
        case WM_DESTROY:
            closed_ = true;
            PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
            hwnd_ = nullptr;
            break;
        default:
            break;
    }
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

void frmMain::Form_Load() {
    UpdateColours();
    SetIcons();
    font_ = CreateDialogFont(dpi_);
    images_.Load(instance_, dpi_);
    CreateControls();
}

void frmMain::SetIcons() {
    // The window's own icons, for the title bar and the taskbar button (Alt+Tab asks for them), in
    // the sizes Windows shows at this scale; the icon resource holds a drawing for each.
    const auto load = [this](int width, int height) {
        return platform::ScopedIcon(static_cast<HICON>(
            LoadImageA(instance_, MAKEINTRESOURCEA(IDI_LOGO), IMAGE_ICON, width, height, 0)));
    };
    platform::ScopedIcon big = load(platform::SystemMetricForDpi(SM_CXICON, dpi_),
                                    platform::SystemMetricForDpi(SM_CYICON, dpi_));
    platform::ScopedIcon small = load(platform::SystemMetricForDpi(SM_CXSMICON, dpi_),
                                      platform::SystemMetricForDpi(SM_CYSMICON, dpi_));
    SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    // The ones replaced are no longer shown, and go now.
    bigIcon_ = std::move(big);
    smallIcon_ = std::move(small);
}

void frmMain::CreateControls() {
    for (const layout::Control& c : layout::kControls) {
        // Clip siblings: where a picture box's margin overlaps a label, the label wins.
        DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (c.visible ? WS_VISIBLE : 0) | (c.enabled ? 0 : WS_DISABLED);
        const char* windowClass = "STATIC";
        switch (c.kind) {
            case layout::Kind::Picture: style |= SS_OWNERDRAW; break;
            case layout::Kind::Label: style |= SS_LEFT | SS_NOPREFIX; break;  // wraps at words
            case layout::Kind::Button:
                windowClass = "BUTTON";
                style |= BS_PUSHBUTTON | WS_TABSTOP;
                break;
        }
        const RECT r = PixelRect(c);
        const HWND control = CreateWindowExA(0, windowClass, c.text, style, r.left, r.top, r.right - r.left,
                                             r.bottom - r.top, hwnd_,
                                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), instance_, nullptr);
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        if (c.kind == layout::Kind::Label) FitLabel(c.id);
        PictureOf(c.id) = c.image;
    }
    // Tab order is z-order in Windows: stack the controls by their tab index.
    // Sorted as the program is compiled: no sorting code in the program file.
    static constexpr std::array<layout::ControlId, layout::kControls.size()> kByTab = [] {
        std::array<layout::Control, layout::kControls.size()> controls = layout::kControls;
        std::sort(controls.begin(), controls.end(),
                  [](const layout::Control& a, const layout::Control& b) { return a.tabIndex < b.tabIndex; });
        std::array<layout::ControlId, layout::kControls.size()> ids{};
        std::transform(controls.begin(), controls.end(), ids.begin(), [](const layout::Control& c) { return c.id; });
        return ids;
    }();
    for (const layout::ControlId id : kByTab)
        SetWindowPos(Control(id), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // The caption "Operating System:" reaches a little into the release's name beside it (by a
    // pixel at 100 %, two at 150 %); the name lies above it, so its first letter is never covered.
    const HWND above = GetWindow(Control(layout::Label2), GW_HWNDPREV);
    SetWindowPos(Control(layout::lblOS), above ? above : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    view_.Create(hwnd_, instance_, Control(layout::cmdClose), scheme_.colours());
    for (int i = 0; i < kRowCount; ++i) ShowRow(static_cast<Row>(i));  // the boxes' names
}

void frmMain::ShowFixLinks() { WidenForLinks(view_.ShowLinks(findings_, static_cast<HFONT>(font_.get()), dpi_)); }

void frmMain::PlaceLinks() { WidenForLinks(view_.PlaceLinks(findings_, static_cast<HFONT>(font_.get()), dpi_)); }

void frmMain::WidenForLinks(int right) {
    // The window widens to hold the links, and never narrows below its design.
    const int margin = right > 0 ? layout::TwipsToPixels(fix_layout::kRightMargin, dpi_) : 0;
    clientWidth_ = std::max(layout::TwipsToPixels(layout::kClientWidth, dpi_), right + margin);
    KeepClientSize();
    KeepOnScreen();
}

void frmMain::KeepOnScreen() {
    // Widened near its monitor's right edge, the window moves left rather than lose its links; it
    // stays on the monitor it is on (the primary one's work area is no measure on another).
    RECT window{};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetWindowRect(hwnd_, &window) ||
        !GetMonitorInfoA(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST), &monitor))
        return;
    const RECT& work = monitor.rcWork;
    const int left = screen_placement::LeftOnWorkArea({window.left, window.top, window.right, window.bottom},
                                                      {work.left, work.top, work.right, work.bottom});
    if (left != window.left)
        SetWindowPos(hwnd_, nullptr, left, window.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void frmMain::OnLink(int id) {
    // The shell may dispatch messages while it starts a fix: a click or Enter on a link meanwhile
    // is not taken, nor a second start made inside the first.
    if (starting_) return;
    if (id == fix_layout::kCopyLink) {
        CopyReport();
        return;
    }
    if (id == fix_layout::kCheckAgainLink) {
        PostMessageA(hwnd_, kMsgCheckAgain, 0, 0);
        return;
    }
    if (!fix_layout::IsRowLink(id) || !IsWindowVisible(GetDlgItem(hwnd_, id))) return;
    const Row row = fix_layout::RowOfLink(id);
    // A copy: the findings' own action is freed by any new run.
    const platform::FixAction action = findings_.Action(row);
    if (action.kind == platform::FixAction::Kind::CheckAgain) {
        PostMessageA(hwnd_, kMsgCheckAgain, 0, 0);
        return;
    }
    unsigned long error = 0;
    {
        const RaisedFlag starting(starting_);
        error = StartFixFromWindow(action, hwnd_);
    }
    if (!hwnd_) return;  // closed during the start
    if (error != 0) {
        // Said on the row; its instruction stays.
        findings_.NoteFixFailure(row, FixFailureText(action, error));
        ShowRow(row);
        return;
    }
    view_.ShowCheckAgain(static_cast<HFONT>(font_.get()), dpi_);
    PlaceLinks();
}

RECT frmMain::PixelRect(const layout::Control& c) const {
    const int left = layout::TwipsToPixels(c.left, dpi_), top = layout::TwipsToPixels(c.top, dpi_);
    return {left, top, left + layout::TwipsToPixels(c.width, dpi_), top + layout::TwipsToPixels(c.height, dpi_)};
}

void frmMain::PlaceControls() {
    for (const layout::Control& c : layout::kControls) {
        const HWND control = Control(c.id);
        const RECT r = PixelRect(c);
        SetWindowPos(control, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        if (c.kind == layout::Kind::Label) FitLabel(c.id);
    }
}

void frmMain::FitLabel(layout::ControlId id) {
    WidenToFit(Control(id), static_cast<HFONT>(font_.get()), layout::TwipsToPixels(layout::kClientWidth, dpi_));
}

void frmMain::ApplyDpi(int dpi) {
    dpi_ = dpi;
    SetIcons();
    platform::ScopedGdiObject previousFont = std::move(font_);  // in use until every control has the new one
    font_ = CreateDialogFont(dpi_);
    images_.Load(instance_, dpi_);
    PlaceControls();
    PlaceLinks();
    tips_.SetDpi(dpi_);
    for (int i = 0; i < kRowCount; ++i)
        for (const HWND control : RowControls(static_cast<Row>(i))) tips_.Move(control);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void frmMain::OnDpiChanged(int dpi, const RECT* suggested) {
    if (dpi <= 0) return;
    ApplyDpi(dpi);
    // Windows suggests where the window goes; its size is the client area's at the new scale.
    RECT now{};
    GetWindowRect(hwnd_, &now);
    const POINT at = suggested ? POINT{suggested->left, suggested->top} : POINT{now.left, now.top};
    const RECT frame = FrameAt(dpi_);  // the client size is corrected below
    SetWindowPos(hwnd_, nullptr, at.x, at.y, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    KeepClientSize();
}

void frmMain::KeepClientSize() {
    // A system that draws the frame at another scale than the client area (Windows 8.1's
    // per-monitor mode, Wine) makes the frame's estimate miss: take up the difference.
    RECT client{}, window{};
    GetClientRect(hwnd_, &client);
    GetWindowRect(hwnd_, &window);
    const int width = clientWidth_ > 0 ? clientWidth_ : layout::TwipsToPixels(layout::kClientWidth, dpi_);
    const int dx = width - client.right;
    const int dy = layout::TwipsToPixels(layout::kClientHeight, dpi_) - client.bottom;
    if (dx == 0 && dy == 0) return;
    SetWindowPos(hwnd_, nullptr, 0, 0, window.right - window.left + dx, window.bottom - window.top + dy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void frmMain::CreateRowTips() {
    tips_.Create(hwnd_, instance_, dpi_);
    for (int i = 0; i < kRowCount; ++i) {
        const Row row = static_cast<Row>(i);
        const std::string tip = findings_.Tip(row);
        for (const HWND control : RowControls(row)) tips_.Add(control, tip.c_str());
    }
}

void frmMain::ShowRow(Row row) {
    PictureOf(rows::kBoxes[rows::Index(row)]) = view_.Show(row, findings_, tips_);
}

std::vector<HWND> frmMain::RowControls(Row row) const { return view_.Controls(row); }

void frmMain::Form_Activate() { run_.OnActivate(); }

void frmMain::cmdClose_Click() { DestroyWindow(hwnd_); }

void frmMain::OnEscape() {
    if (IsWindowEnabled(Control(layout::cmdClose))) {
        cmdClose_Click();
        return;
    }
    PostMessageA(hwnd_, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void frmMain::OnDrawPicture(const DRAWITEMSTRUCT& item) {
    // A flat box in the window-background colour, its picture unscaled at the top-left corner
    // and clipped at the box's edges.
    FillRect(item.hDC, &item.rcItem, scheme_.background());
    const HBITMAP picture = images_.Get(PictureOf(static_cast<layout::ControlId>(item.CtlID)));
    if (!picture) return;
    BITMAP info{};
    if (!GetObjectA(picture, sizeof info, &info)) return;
    platform::ScopedMemoryDc source(CreateCompatibleDC(item.hDC));
    if (!source) return;
    platform::SelectionGuard selected(source.get(), picture);
    const int width = std::min<int>(info.bmWidth, item.rcItem.right - item.rcItem.left);
    const int height = std::min<int>(info.bmHeight, item.rcItem.bottom - item.rcItem.top);
    BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, width, height, source.get(), 0, 0, SRCCOPY);
}

LRESULT frmMain::OnControlColour(HDC dc, HWND control) {
    // Labels have no background of their own: the window's shows through, and their text is
    // chosen with it.
    const bool isOsText = GetDlgCtrlID(control) == layout::lblOS;
    SetTextColor(dc, isOsText ? scheme_.colours().osText : scheme_.colours().text);
    SetBkColor(dc, scheme_.colours().background);
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(scheme_.background());
}

void frmMain::UpdateColours() {
    // Shown at once, or at the run's next message pass.
    if (scheme_.Update()) RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

void frmMain::ForwardToControls(UINT message, WPARAM wParam, LPARAM lParam) {
    for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        SendMessageA(child, message, wParam, lParam);
    if (tips_.hwnd()) SendMessageA(tips_.hwnd(), message, wParam, lParam);  // owned, not a child
}

bool frmMain::OnSetCursor() {
    if (!busy_) return false;
    SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32514)));  // IDC_WAIT
    return true;
}

void frmMain::Dispatch(MSG& msg) {
    const bool ours = hwnd_ && (msg.hwnd == hwnd_ || IsChild(hwnd_, msg.hwnd));
    if (ours && IsCopyKey(msg)) {
        CopyReport();
        return;
    }
    if (ours && IsCheckAgainKey(msg)) {
        if (!starting_) PostMessageA(hwnd_, kMsgCheckAgain, 0, 0);
        return;
    }
    if (hwnd_ && IsDialogMessageA(hwnd_, &msg)) return;  // Tab moves to the Close button
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

void frmMain::Pause(unsigned milliseconds) {
    // The tooltips are made in the first pause: the window has painted by then, and is not kept
    // waiting for them. The pause stays as long as it was.
    const DWORD started = GetTickCount();
    if (!tips_.hwnd()) CreateRowTips();
    const DWORD spent = GetTickCount() - started;
    Sleep(spent < milliseconds ? milliseconds - spent : 0);
}

bool frmMain::PassMessages() {
    MSG msg;
    while (!closed_ && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // leave it for the main loop
            closed_ = true;
            break;
        }
        Dispatch(msg);
    }
    return !closed_;
}

void frmMain::SetBusyPointer(bool busy) {
    busy_ = busy;
    SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(busy ? 32514 : 32512)));
}

void frmMain::EnableClose() {
    EnableWindow(Control(layout::cmdClose), TRUE);
    ShowFixLinks();  // the run has ended
}

void frmMain::ShowResult(Row row, const Finding& finding) {
    findings_.Record(row, finding);
    ShowRow(row);
}

void frmMain::ClearResults() {
    // Keyboard focus leaves Close before it is disabled, so that F5, Esc and Ctrl+C still arrive.
    if (GetFocus() == Control(layout::cmdClose)) SetFocus(hwnd_);
    EnableWindow(Control(layout::cmdClose), FALSE);
    view_.HideLinks();
    findings_.Clear();
    for (int i = 0; i < kRowCount; ++i) ShowRow(static_cast<Row>(i));
    SetWindowTextA(Control(layout::lblOS), layout::kControls[layout::lblOS - layout::picMsHTMLDLL].text);
}

void frmMain::CopyReport() {
    // What is known so far: rows not reached yet say so.
    if (!platform::PutTextOnClipboard(hwnd_, RunReport(findings_, ReportFormat::PlainText))) {
        MessageBeep(MB_ICONWARNING);
        return;
    }
    view_.MarkCopied(static_cast<HFONT>(font_.get()), dpi_);
}

Finding frmMain::CheckOS() {
    const OsCheck os = CheckOperatingSystem();
    SetWindowTextA(Control(layout::lblOS), os.info.description.c_str());
    FitLabel(layout::lblOS);
    return os.finding;
}

Finding frmMain::CheckDotNet() { return DotNetFinding(); }

Finding frmMain::CheckMsHtmlInterop() { return MsHtmlInteropFinding(); }

// The smart-card service is asked on a thread of its own from the start of the row's pause, and
// waited for with the window kept alive; the folders are looked at here.
CheckFunction frmMain::CheckSmartCardDriver() {
    const std::shared_ptr<PendingCheck> readers = StartCardReadersCheck();
    return [this, readers] { return SmartCardToolsFinding(hwnd_, readers->WaitKeepingWindowAlive(hwnd_)); };
}

Finding frmMain::CheckInstaller() { return InstallerRequirement(); }

// The fetch runs on a thread of its own from the start of the row's pause; closing the window
// cancels it.
CheckFunction frmMain::StartEndpoint(std::unique_ptr<PendingCheck> (*start)()) {
    const std::shared_ptr<PendingCheck> pending = start();
    return [this, pending] { return pending->WaitKeepingWindowAlive(hwnd_); };
}

CheckFunction frmMain::CheckAppUrl() { return StartEndpoint(&StartAppUrlCheck); }

CheckFunction frmMain::CheckDataUrl() { return StartEndpoint(&StartDataUrlCheck); }
