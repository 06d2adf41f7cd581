// The event table: which handler each user event of the main window reaches.
#include <new>

#include "app/CMarlockDlg.h"
#include "app/layout/StringTable.h"

namespace wavepost {

using platform::EventKind;

namespace {

bool IsZoneField(int id) {
    return id == 1074 || id == 1080 || id == 1073 || id == 1079;
}

}  // namespace

void CMarlockDlg::HandleEvent(const platform::Event& e) {
    try {
        switch (e.kind) {
            case EventKind::WindowMenuCommand:
                OnSystemCommand(static_cast<unsigned>(e.value));
                break;
            case EventKind::Paint:
                break;  // the toolkit calls PaintWindow with its surface
            case EventKind::CloseRequest:
                OnCloseRequest();
                break;
            case EventKind::Escape:
                OnCancel();
                break;
            case EventKind::TabChanged:
                if (e.source == 1063) OnTabChanged();
                break;
            case EventKind::Click:
                switch (e.source) {
                    case 1008:
                    case 1009:
                    case 1010:
                        OnMapButton();
                        break;
                    case 1092:
                        OnAntimeridian();
                        break;
                    case 9:
                        OnHelp();
                        break;
                    case 1003:
                        OnAskQuestion();
                        break;
                    case 1013:
                        OnSend();
                        break;
                    case 1035:
                        OnDefaultOptions();
                        break;
                    case 1062:
                        OnDefaultParams();
                        break;
                    case 1020:
                    case 1021:
                    case 1022:
                    case 1023:
                        OnCostInputChanged();
                        break;
                    case 1016:
                    case 1017:
                        OnZoneModeChanged();
                        break;
                    case 1:
                        OnQuit();
                        break;
                    default:
                        break;
                }
                break;
            case EventKind::Changed:
                if (IsZoneField(e.source)) OnZoneFieldChanged(e.source);
                break;
            case EventKind::Left:
                if (IsZoneField(e.source))
                    OnZoneFieldLeft(e.source);
                else if (e.source == 1085)
                    OnHeadingLeft();
                else if (e.source == 1086)
                    OnSpeedLeft();
                else if (e.source == 1034)
                    OnDollarRateKillFocus();
                break;
            case EventKind::SelectionChanged:
                if (e.source == 1039 || e.source == 1002 || e.source == 1001 || e.source == 1037)
                    OnCostInputChanged();
                break;
            case EventKind::SpinStep:
                if (e.source == 1087)
                    OnHeadingSpin(e.value);
                else if (e.source == 1093)
                    OnSpeedSpin(e.value);
                break;
            case EventKind::LButtonDown:
                OnLButtonDown(e.x, e.y);
                break;
            case EventKind::LButtonUp:
                OnLButtonUp(e.x, e.y);
                break;
            case EventKind::MouseMove:
                OnMouseMove(e.x, e.y);
                break;
            case EventKind::CheckListButtonUp:
                UpdateCostEstimate();
                break;
            case EventKind::MapListClick:
                OnMapListClick();
                break;
            case EventKind::MapListKeyDown:
                OnMapListKeyDown(e.value);
                break;
            case EventKind::MapListOther:
                OnMapListOther();
                break;
        }
    } catch (const FileError& error) {
        // The generic error report: the file error is shown and the handler abandoned.
        m_toolkit.MessageBox(error.what());
    } catch (const std::bad_alloc&) {
        // What the handler held is freed by now; the program goes on without its result.
        m_toolkit.MessageBox(LoadString(IDS_OUT_OF_MEMORY));
    }
}

}  // namespace wavepost
