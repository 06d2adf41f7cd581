// SPDX-License-Identifier: GPL-3.0-or-later
// The event table: which handler each user event of the main window reaches.
#include <new>

#include "app/CMarlockDlg.h"
#include "app/layout/ResourceIds.h"
#include "app/layout/StringTable.h"

namespace wavepost {

using platform::EventKind;

namespace {

bool IsZoneField(int id) {
    return id == IDC_LAT1_EDIT || id == IDC_LAT2_EDIT || id == IDC_LON1_EDIT || id == IDC_LON2_EDIT;
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
                if (e.source == IDC_TAB_PAGES) OnTabChanged();
                break;
            case EventKind::Click:
                switch (e.source) {
                    case IDC_MAP_WORLD_RADIO:
                    case IDC_MAP_EUROPE_RADIO:
                    case IDC_MAP_FRANCE_RADIO:
                        OnMapButton();
                        break;
                    case IDC_ANTIMERIDIAN_CHECK:
                        OnAntimeridian();
                        break;
                    case IDC_HELP_BUTTON:
                        OnHelp();
                        break;
                    case IDC_QUESTION_BUTTON:
                        OnAskQuestion();
                        break;
                    case IDC_SEND_BUTTON:
                        OnSend();
                        break;
                    case IDC_DEFAULT_OPTIONS_BUTTON:
                        OnDefaultOptions();
                        break;
                    case IDC_DEFAULT_PARAMS_BUTTON:
                        OnDefaultParams();
                        break;
                    case IDC_COMPRESSION_NONE_RADIO:
                    case IDC_COMPRESSION_ZIP_RADIO:
                    case IDC_COMPRESSION_GZIP_RADIO:
                    case IDC_COMPRESSION_BZIP2_RADIO:
                        OnCostInputChanged();
                        break;
                    case IDC_ZONE_CENTRED_RADIO:
                    case IDC_ZONE_RECTANGLE_RADIO:
                        OnZoneModeChanged();
                        break;
                    case IDC_QUIT_BUTTON:
                        OnQuit();
                        break;
                    case IDC_ORDER_COPY_BUTTON:
                        OnCopyOrders();
                        break;
                    case IDC_ORDER_SAVE_BUTTON:
                        OnSaveOrders();
                        break;
                    case IDC_OUTBOX_BUTTON:
                        OnChooseOutbox();
                        break;
                    case IDC_WITHDRAW_BUTTON:
                        OnWithdrawOrder();
                        break;
                    case IDC_RESEND_BUTTON:
                        OnResendOrder();
                        break;
                    case IDC_FAVOURITES_BUTTON:
                        OnFavourites();
                        break;
                    case IDC_ADDRESSES_BUTTON:
                        OnAddresses();
                        break;
                    case IDC_BOAT_POSITION_BUTTON:
                        OnBoatPosition();
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
                else if (e.source == IDC_HEADING_EDIT)
                    OnHeadingLeft();
                else if (e.source == IDC_SPEED_EDIT)
                    OnSpeedLeft();
                else if (e.source == IDC_DOLLAR_RATE_EDIT)
                    OnDollarRateKillFocus();
                break;
            case EventKind::SelectionChanged:
                if (e.source == IDC_CURRENCY_COMBO || e.source == IDC_MESH_LAT_COMBO ||
                    e.source == IDC_MESH_LON_COMBO || e.source == IDC_TELECOM_COMBO)
                    OnCostInputChanged();
                else if (e.source == IDC_HANDOVER_COMBO)
                    OnHandOverChanged();
                else if (e.source == IDC_SERVICE_COMBO)
                    OnServiceChanged();
                break;
            case EventKind::SpinStep:
                if (e.source == IDC_HEADING_SPIN)
                    OnHeadingSpin(e.value);
                else if (e.source == IDC_SPEED_SPIN)
                    OnSpeedSpin(e.value);
                break;
            case EventKind::PositionChanged:
                OnPositionChanged();
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
        // The order page follows every change while it is shown.
        if (e.kind != EventKind::MouseMove && e.kind != EventKind::Paint) RefreshOrderPage();
    } catch (const FileError& error) {
        // The generic error report: the file error is shown and the handler abandoned.
        m_toolkit.MessageBox(FileErrorMessage(error));
    } catch (const std::bad_alloc&) {
        // What the handler held is freed by now; the program goes on without its result.
        m_toolkit.MessageBox(LoadString(IDS_OUT_OF_MEMORY));
    }
}

}  // namespace wavepost
