// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: the one shared state of the program and one handler per event.
// It reaches the screen only through platform::IToolkit.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/Favourites.h"
#include "base/ProgramSettings.h"
#include "base/UtcTime.h"
#include "catalogue/CIniTable.h"
#include "platform/Events.h"
#include "platform/Toolkit.h"
#include "request/CostArithmetic.h"
#include "request/HandOverWay.h"
#include "request/OrderHistory.h"
#include "request/OrderPlan.h"
#include "request/RequestText.h"
#include "zone/BoatPosition.h"
#include "zone/ZoneArithmetic.h"

namespace wavepost {

class CMarlockDlgAutoProxy;

// The three 32 x 32 map icons of the map list.
struct CImageList {
    std::vector<int> bitmaps;
};

// The window icon, made from a colour and a mask bitmap.
struct CIcon {
    int colorBitmap = 0;
    int maskBitmap = 0;
};

enum class ExchangeDirection { ToControls, FromControls };

class CMarlockDlg : public platform::IWindowLogic {
  public:
    // The tables (under "ini") and the address file are kept in the storage folder.
    explicit CMarlockDlg(platform::IToolkit& toolkit, std::string storageFolder = ".");
    ~CMarlockDlg() override;
    CMarlockDlg(const CMarlockDlg&) = delete;
    CMarlockDlg& operator=(const CMarlockDlg&) = delete;

    // --- start-up and lifecycle --------------------------------------------------------
    bool Initialise();
    void ExchangeData(ExchangeDirection direction);
    // The event table: routes one user event to its handler. A file error that the
    // handler does not catch is shown, and the rest of that handler is abandoned.
    void HandleEvent(const platform::Event& event);
    void OnSystemCommand(unsigned commandId);
    void OnCloseRequest();
    void OnQuit();
    void OnCancel();
    bool CanExit();

    // --- catalogue --------------------------------------------------------------------
    std::string GetMapName();
    void LoadCatalogue();
    void ReleaseCatalogue();
    void StoreChoices();
    void SaveCatalogue();
    void OnMapListClick();
    void OnMapListKeyDown(int key);
    void OnMapListOther();
    void OnDefaultOptions();
    void OnDefaultParams();

    // --- zone -------------------------------------------------------------------------
    zone::DomainFrame FindDomainRow(const std::string& mapName) const;
    platform::Rect GetMapArea() const;
    void PixelToGeo(float& x0, float& x1, float& y0, float& y1);
    // The zone rectangle in client pixels (x1, y1, x2, y2); false when the frame is
    // undefined.
    bool GeoToPixel(int& x1, int& y1, int& x2, int& y2);
    void UpdateZoneFromFields();
    void ConvertZoneFields(int fromMode, int toMode);

    void PaintWindow(platform::IPainter& painter);
    void OnTabChanged();
    // Hides the page shown and shows the one the tab control has selected.
    void SwitchToSelectedPage();
    void HideAllPages();
    void ShowPage(int page);
    void RedrawMap();
    void DrawZoneRect(platform::IPainter& painter, platform::Color color);

    void OnLButtonDown(int x, int y);
    void OnMouseMove(int x, int y);
    void OnLButtonUp(int x, int y);
    void DrawRubberBand(int x0, int y0, int x1, int y1);
    // Ends a selection in progress without a result, erasing its band.
    void AbandonDrag();
    void WriteSelectionTexts(float west, float east, float north, float south,
                             zone::LongitudeForm form);

    void OnZoneFieldChanged(int fieldId);
    void OnZoneFieldLeft(int fieldId);
    void ValidateZoneFields();
    void OnHeadingSpin(int delta);
    void OnSpeedSpin(int delta);
    void OnHeadingLeft();
    void OnSpeedLeft();
    void OnAntimeridian();
    void OnMapButton();
    void OnZoneModeChanged();
    // Rewrites the coordinate texts and titles in the mode now checked, at once, so that
    // an order or a save never reads texts written in the other mode.
    void FollowZoneMode();
    void ShowZonePage();
    void SwitchMap();

    // --- the boat's position (zone/BoatPositionWindow.cpp) ------------------------------
    // Starts following the position daemon named in the settings.
    void WatchBoatPosition();
    // "Position du bateau": the zone centred on the latest fix, heading and speed from its
    // course and speed, as if typed; a message and nothing changed without a usable fix.
    void OnBoatPosition();
    // A new report: the page's state line and the mark on the map follow it.
    void OnPositionChanged();
    void DrawBoatMark(platform::IPainter& painter);

    // --- request and delivery ---------------------------------------------------------
    // The order as the body of a mailto: URL: its lines joined by "%0A", every text read
    // from a file percent-encoded (ForUrl) so that it cannot add lines or fields.
    std::string BuildGribRequest();
    // The order's choices as plain values, from the controls and the current map's rows.
    RequestChoices GatherRequestChoices();
    // What "Envoi" would hand over now; reads the address file, shows nothing.
    OrderPlan PlanOrders();
    void UpdateCostEstimate();
    void OnCostInputChanged();
    void OnDollarRateKillFocus();
    void OnSend();
    // The way "Envoi" hands orders over now, from the settings and the machine.
    HandOverWay CurrentHandOverWay();
    // Hands the mails over one after the other, each noted as under way, recorded in the
    // history once taken, put on the clipboard with a message when not. False when a
    // gridded-data order was abandoned because its choices could not be saved.
    bool HandOverMails(const std::vector<OrderMail>& mails, const HandOverWay& way,
                       const std::string& sender, bool addressMissing);
    void OnAskQuestion();
    void OnHelp();
    bool WriteRequestCopy(std::string content, std::string fileName);
    // The state folder, when it can be written; else empty, the user told once a run that
    // no history or copies are kept.
    std::string UsableStateFolder();
    // Appends an order handed over to the history in the state folder (none when empty). A
    // history that cannot be written is reported once a run, and never stops an order.
    void RecordHandOver(const std::string& folder, const HistoryRecord& record);
    // At start: records a hand-over a crash cut short, and removes the temporary files a
    // crash left in the state folder.
    void TidyStateFolder();

    // --- order page -------------------------------------------------------------------
    // Shows what "Envoi" would hand over now; nothing while the page is hidden.
    void RefreshOrderPage();
    void OnCopyOrders();
    void OnSaveOrders();
    // Offers the ways of handing over this machine has, the one in the settings selected.
    void FillHandOverChoices();
    void OnHandOverChanged();
    void OnChooseOutbox();
    // Withdraws an order of the history the sailor chooses (abandoned in the mail program):
    // a line is added saying so; the list and the subscriptions follow.
    void OnWithdrawOrder();
    // Hands an order of the history the sailor chooses over again, unchanged, the way
    // chosen now; it is recorded as a new order.
    void OnResendOrder();
    // "Favoris...": recalls a favourite in one choice, or saves, renames or deletes one.
    void OnFavourites();
    // The current choices under a name (they are stored first).
    Favourite CurrentFavourite(const std::string& name);
    // Brings a favourite's choices back as a change of map does (stored, saved, loaded),
    // what the catalogue still offers of them; returns what it no longer offers.
    std::vector<std::string> RecallFavourite(const Favourite& favourite);
    // Offers the catalogue's service and Saildocs, the one the settings keep selected.
    void FillServiceChoices();
    void OnServiceChanged();
    // "Adresses...": the service, question and sender addresses edited, each checked,
    // written into the address file at once or not at all.
    void OnAddresses();
    // What "Envoi" would hand over to Saildocs now.
    OrderPlan PlanSaildocsOrders();
    // The history of the orders handed over, as last read; told once when damaged.
    const HistoryContents& KnownHistory();
    // One of the offered records (newest first) chosen by the sailor: the message noneId
    // when there is none, the list under chooseId otherwise; none when cancelled.
    std::optional<HistoryRecord> ChooseFromHistory(const std::vector<HistoryRecord>& offered,
                                                   int noneId, int chooseId);

    platform::IToolkit& Toolkit() { return m_toolkit; }
    // A file of the storage folder; under "." the name itself, as the messages give it.
    std::string StoragePath(const std::string& name) const;

    // The toolkit's calls.
    bool OnInitDialog() override { return Initialise(); }
    void OnEvent(const platform::Event& event) override { HandleEvent(event); }
    void OnPaint(platform::IPainter& painter) override { PaintWindow(painter); }

    // ===== members, in declaration order ==============================================
    // Plain members.
    std::unique_ptr<CImageList> m_pImageList;
    platform::FontHandle m_pListFont = platform::kNoFont;
    platform::FontHandle m_pLargeFont = platform::kNoFont;
    platform::FontHandle m_pCaptionFont = platform::kNoFont;
    std::int32_t m_nPointsFatal = 0;
    double m_dPtEuro = 0.0;
    std::int32_t m_nCurrentPage = 0;
    std::unique_ptr<CIniTable> m_pDomaines;
    std::unique_ptr<CIniTable> m_pEcheances;
    std::unique_ptr<CIniTable> m_pParametres;
    std::unique_ptr<CIniTable> m_pOptions;
    std::unique_ptr<CIniTable> m_pModes;
    std::unique_ptr<CIniTable> m_pUnites;
    std::unique_ptr<CIniTable> m_pMailles;
    std::unique_ptr<CIniTable> m_pCompressions;
    std::unique_ptr<CIniTable> m_pEnvois;
    std::unique_ptr<CIniTable> m_pTelecoms;
    std::unique_ptr<CIniTable> m_pBulletins;
    std::unique_ptr<CIniTable> m_pImages;
    std::unique_ptr<CIniTable> m_pSoft;
    // Tab-page windows created by LoadCatalogue; kNoControl when none.
    platform::ControlHandle m_pListEcheances = platform::kNoControl;
    platform::ControlHandle m_pCaptionEcheances = platform::kNoControl;
    platform::ControlHandle m_pListBulletins = platform::kNoControl;
    platform::ControlHandle m_pCaptionBulletins = platform::kNoControl;
    platform::ControlHandle m_pListImages = platform::kNoControl;
    platform::ControlHandle m_pCaptionImages = platform::kNoControl;
    platform::ControlHandle m_pListParametres = platform::kNoControl;
    platform::ControlHandle m_pCaptionParametres = platform::kNoControl;
    platform::ControlHandle m_pCaptionZone = platform::kNoControl;
    platform::ControlHandle m_pCaptionPresentation = platform::kNoControl;
    float m_fZoneWest = 0.0f;
    float m_fZoneEast = 0.0f;
    float m_fZoneNorth = 0.0f;
    float m_fZoneSouth = 0.0f;
    std::uint8_t m_bDragging = 0;
    float m_fDragX0 = 0.0f;
    float m_fDragX1 = 0.0f;
    float m_fDragY0 = 0.0f;
    float m_fDragY1 = 0.0f;
    std::int32_t m_nPrevZoneMode = 0;

    // Control members, bound by layout id in Initialise.
    platform::ControlHandle m_tabPages = platform::kNoControl;
    platform::ControlHandle m_btnQuit = platform::kNoControl;
    platform::ControlHandle m_btnSend = platform::kNoControl;
    platform::ControlHandle m_spinSpeed = platform::kNoControl;
    platform::ControlHandle m_btnDefaultParams = platform::kNoControl;
    platform::ControlHandle m_grpHelp = platform::kNoControl;
    platform::ControlHandle m_listMaps = platform::kNoControl;
    platform::ControlHandle m_comboTelecom = platform::kNoControl;
    platform::ControlHandle m_btnDefaultOptions = platform::kNoControl;
    platform::ControlHandle m_lblTelecomCost = platform::kNoControl;
    platform::ControlHandle m_lblWeatherCost = platform::kNoControl;
    platform::ControlHandle m_btnQuestion = platform::kNoControl;
    platform::ControlHandle m_editPresentation = platform::kNoControl;
    platform::ControlHandle m_comboMeshLon = platform::kNoControl;
    platform::ControlHandle m_comboMeshLat = platform::kNoControl;
    platform::ControlHandle m_btnHelp = platform::kNoControl;
    platform::ControlHandle m_chkAntimeridian = platform::kNoControl;
    platform::ControlHandle m_grpCost = platform::kNoControl;
    std::array<platform::ControlHandle, 11> m_lblZonePage{};
    platform::ControlHandle m_spinHeading = platform::kNoControl;
    platform::ControlHandle m_editSpeed = platform::kNoControl;
    platform::ControlHandle m_editLon2 = platform::kNoControl;
    platform::ControlHandle m_editLon1 = platform::kNoControl;
    platform::ControlHandle m_editLat2 = platform::kNoControl;
    platform::ControlHandle m_editLat1 = platform::kNoControl;
    platform::ControlHandle m_editHeading = platform::kNoControl;
    std::array<platform::ControlHandle, 3> m_lblZoneTitles{};
    std::array<platform::ControlHandle, 4> m_grpZonePage{};
    std::array<platform::ControlHandle, 4> m_ctlMeshArea{};
    platform::ControlHandle m_editDays = platform::kNoControl;
    std::array<platform::ControlHandle, 4> m_radioSubscription{};
    std::array<platform::ControlHandle, 7> m_lblOptionsPage{};
    std::array<platform::ControlHandle, 6> m_grpOptionsPage{};
    std::array<platform::ControlHandle, 2> m_lblCurrency{};
    std::array<platform::ControlHandle, 2> m_radioLandData{};
    platform::ControlHandle m_editDollarRate = platform::kNoControl;
    std::array<platform::ControlHandle, 4> m_radioCompression{};
    platform::ControlHandle m_comboCurrency = platform::kNoControl;
    std::array<platform::ControlHandle, 2> m_radioZoneMode{};

    // Values exchanged with the controls by ExchangeData.
    std::int32_t m_nMap = 0;
    std::int32_t m_nZoneMode = -1;
    std::int32_t m_nCompression = -1;
    std::string m_strDollarRate;
    std::int32_t m_nLandData = -1;
    std::int32_t m_nSubscription = -1;
    std::string m_strDays;
    std::string m_strHeading;
    std::string m_strLat1;
    std::string m_strLat2;
    std::string m_strLon1;
    std::string m_strLon2;
    std::string m_strSpeed;
    std::int32_t m_bAntimeridian = 0;
    std::string m_strColumn1Title;
    std::string m_strColumn2Title;
    std::string m_strPresentation;
    std::string m_strWeatherCost;
    std::string m_strTelecomCost;

    CMarlockDlgAutoProxy* m_pAutoProxy = nullptr;
    CIcon m_hIcon;

    // The last estimate that reached the amounts, for the order page.
    std::optional<CostResult> m_lastEstimate;
    // The ways of handing over offered by the order page's list, item by item.
    std::vector<HandOverMethod> m_handOverChoices;
    // Orders go to Saildocs rather than to the catalogue's service.
    bool m_bSaildocs = false;
    // The daemon followed, and the latest usable fix, marked on the map (none: no mark).
    zone::GpsdAddress m_gpsd;
    std::optional<zone::BoatFix> m_boatMark;
    std::string m_strBoatState;  // the state line as last shown

  private:
    platform::IToolkit& m_toolkit;
    std::string m_strStorageFolder;
    bool m_bHistoryFailureReported = false;
    bool m_bStateFolderReported = false;
    bool m_bHandingOver = false;             // "Envoi" is handing its orders over
    bool m_bHistoryProblemReported = false;  // a damaged or unreadable history, told once
    HistoryContents m_history;
    std::string m_historyStamp;  // the history file's size and time when m_history was read
};

}  // namespace wavepost
