#pragma once
// The program's one window: seven requirement rows, the header and the Close button. It runs the
// checks once, on its first activation, and shows each result on its row.
#include <array>
#include <vector>

#include "app/CheckRun.h"
#include "app/FixContextOfThisPc.h"
#include "app/RequirementChecks.h"
#include "app/RowFindings.h"
#include "app/window/Layout.h"
#include "app/window/RowsView.h"
#include "app/window/RowTips.h"
#include "app/window/SchemeColours.h"
#include "app/window/WindowImages.h"
#include "platform/ScopedHandle.h"

class frmMain final : public RunHost {
public:
    explicit frmMain(HINSTANCE instance);
    frmMain(const frmMain&) = delete;
    frmMain& operator=(const frmMain&) = delete;

    // Registers the window class, creates the window with its controls and shows it.
    bool Create(int showCommand);

    // Dispatches one message of the program's queue (keyboard navigation included).
    void Dispatch(MSG& msg);

    // RunHost: what the check run does to the window.
    void Pause(unsigned milliseconds) override;
    bool PassMessages() override;
    void SetBusyPointer(bool busy) override;
    void EnableClose() override;
    void ShowResult(Row row, const Finding& finding) override;
    void ClearResults() override;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // Events.
    void Form_Load();
    void Form_Activate();
    void cmdClose_Click();
    // Esc: what Close does once it can be clicked; during the run, what the close box does.
    void OnEscape();
    void OnDrawPicture(const DRAWITEMSTRUCT& item);
    // Moved to a monitor of another scale: laid out anew at `dpi`, at the place Windows suggests.
    void OnDpiChanged(int dpi, const RECT* suggested);
    // Sizes the frame so that the client area is the design's at this scale.
    void KeepClientSize();
    LRESULT OnControlColour(HDC dc, HWND control);
    // The colours for the scheme in use, chosen again when it changes; the window repaints in them.
    void UpdateColours();
    // Passes `message` on to every control of the window and to the tooltips.
    void ForwardToControls(UINT message, WPARAM wParam, LPARAM lParam);
    bool OnSetCursor();

    // The checks, in the order the run makes them.
    std::array<CheckStep, kRowCount> Steps();
    // The Internet checks start their fetch as their pause starts; what they give back takes the
    // finding when the pause has ended, the window kept alive while the fetch still goes on.
    CheckFunction StartEndpoint(std::unique_ptr<PendingCheck> (*start)());
    CheckFunction CheckAppUrl();
    CheckFunction CheckDataUrl();
    Finding CheckOS();
    Finding CheckInstaller();
    Finding CheckDotNet();
    Finding CheckMsHtmlInterop();
    CheckFunction CheckSmartCardDriver();

    void CreateControls();
    void CreateRowTips();
    // Scale-dependent parts: the icons, the font, the images, every control's place, the tooltips.
    void ApplyDpi(int dpi);
    void SetIcons();
    void PlaceControls();
    // A control's rectangle in the client area at this scale, as the layout table gives it.
    RECT PixelRect(const layout::Control& c) const;
    // A label whose text does not fit its box at this scale is widened.
    void FitLabel(layout::ControlId id);
    // The controls a row is made of: its picture box, its caption, and for the operating
    // system the release's name.
    std::vector<HWND> RowControls(Row row) const;
    // Ctrl+C: the report of what is known so far, as plain text on the clipboard.
    void CopyReport();
    // The row's picture, screen-reader name and tooltips as its finding (or none) says.
    void ShowRow(Row row);
    // The links to the fixes, shown when a run has ended, laid out with the window widened to
    // hold them (up to `right`, in pixels).
    void ShowFixLinks();
    void PlaceLinks();
    void WidenForLinks(int right);
    // Moves the window left where its right edge has left the work area of its monitor.
    void KeepOnScreen();
    // A link was clicked, or Enter pressed on it: the fix opens, or the checks run again.
    void OnLink(int id);
    HWND Control(layout::ControlId id) const { return GetDlgItem(hwnd_, id); }
    layout::Image& PictureOf(layout::ControlId id) { return pictures_[id - layout::picMsHTMLDLL]; }

    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    bool closed_ = false;
    bool busy_ = false;
    bool starting_ = false;  // a fix is being started: F5, the links and Check again are not taken
    int dpi_ = 96;
    platform::ScopedGdiObject font_;
    SchemeColours scheme_;
    platform::ScopedIcon bigIcon_, smallIcon_;
    WindowImages images_;
    std::array<layout::Image, layout::kControls.size()> pictures_{};  // each picture box's picture
    RowFindings findings_{FixContextOfThisPc()};
    RowTips tips_;
    RowsView view_;
    int clientWidth_ = 0;  // pixels; 0 until the links are laid out: the design's width
    CheckRun run_;
};
