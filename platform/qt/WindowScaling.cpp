// The window's size: the layout scaled with the window, and the size kept for the next
// start.
#include <QAbstractButton>
#include <QComboBox>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QListWidget>
#include <QScreen>
#include <QStyle>
#include <QTabBar>
#include <algorithm>
#include <cmath>

#include "base/FileAccess.h"
#include "base/ProgramSettings.h"
#include "platform/qt/QtToolkit.h"

namespace platform::qt {

namespace {

// Keys of the settings file: the size of the window when not maximised, "WIDTHxHEIGHT",
// and "1" when it was closed maximised.
constexpr const char* kSizeKey = "window-size";
constexpr const char* kMaximisedKey = "window-maximised";
// Room left for the window manager's frame and title bar, unknown before the window shows.
constexpr QSize kFrameAllowance(16, 40);

// Buttons with a multi-line style wrap their caption at their width.
QString WrapToWidth(const QString& text, const QFontMetrics& metrics, int width) {
    QStringList lines;
    QString line;
    for (const QString& word : text.split(' ')) {
        QString candidate = line.isEmpty() ? word : line + ' ' + word;
        if (!line.isEmpty() && metrics.horizontalAdvance(candidate) > width) {
            lines << line;
            line = word;
        } else {
            line = candidate;
        }
    }
    if (!line.isEmpty()) lines << line;
    return lines.join('\n');
}

int Rounded(double value) {
    return static_cast<int>(std::lround(value));
}

void SetKey(wavepost::ProgramSettings& settings, const char* key, const std::string& value) {
    for (auto& [name, text] : settings.otherKeys) {
        if (name != key) continue;
        text = value;
        return;
    }
    settings.otherKeys.emplace_back(key, value);
}

QString SizeText(const QSize& size) {
    return QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
}

}  // namespace

QRect QtToolkit::Scaled(const QRect& first) const {
    // Each edge is scaled, not the width: controls side by side stay side by side.
    const int left = m_offset.x() + Rounded(first.left() * m_dScale);
    const int top = m_offset.y() + Rounded(first.top() * m_dScale);
    const int right = m_offset.x() + Rounded((first.left() + first.width()) * m_dScale);
    const int bottom = m_offset.y() + Rounded((first.top() + first.height()) * m_dScale);
    return QRect(left, top, right - left, bottom - top);
}

void QtToolkit::Place(QWidget* widget, const QRect& firstGeometry) {
    m_firstGeometry[widget] = firstGeometry;
    ApplyGeometry(widget, firstGeometry);
}

void QtToolkit::ApplyGeometry(QWidget* widget, const QRect& firstGeometry) const {
    QRect geometry = Scaled(firstGeometry);
    // A drop-down list's layout height is that of its open list; the tab strip is as high
    // as its tabs.
    if (qobject_cast<QComboBox*>(widget) || widget == m_pTabBar)
        geometry.setHeight(widget->sizeHint().height());
    if (auto it = m_unwrapped.find(widget); it != m_unwrapped.end())
        static_cast<QAbstractButton*>(widget)->setText(WrapToWidth(
            it.value(), QFontMetrics(widget->font()), geometry.width() - Rounded(20 * m_dScale)));
    widget->setGeometry(geometry);
}

void QtToolkit::Forget(QWidget* widget) {
    m_firstGeometry.remove(widget);
    m_widgetFont.remove(widget);
    m_unwrapped.remove(widget);
}

void QtToolkit::Relayout() {
    if (!m_pDialog || m_firstSize.isEmpty()) return;
    const QSize now = m_pDialog->size();
    const double scale = std::min(static_cast<double>(now.width()) / m_firstSize.width(),
                                  static_cast<double>(now.height()) / m_firstSize.height());
    const QPoint offset((now.width() - Rounded(m_firstSize.width() * scale)) / 2,
                        (now.height() - Rounded(m_firstSize.height() * scale)) / 2);
    if (scale == m_dScale && offset == m_offset) return;
    m_dScale = scale;
    m_offset = offset;
    QFont font = m_firstFont;
    font.setPointSizeF(m_firstFont.pointSizeF() * scale);
    m_pDialog->setFont(font);
    for (auto it = m_widgetFont.cbegin(); it != m_widgetFont.cend(); ++it)
        it.key()->setFont(Font(it.value()));
    for (auto it = m_firstGeometry.cbegin(); it != m_firstGeometry.cend(); ++it)
        ApplyGeometry(it.key(), it.value());
    if (auto* maps = qobject_cast<QListWidget*>(Widget(wavepost::IDC_MAP_LIST))) {
        maps->setIconSize(QSize(32, 32) * scale);
        maps->setSpacing(Rounded(6 * scale));
    }
    if (m_pTabBar) {
        const int icon =
            m_pTabBar->style()->pixelMetric(QStyle::PM_TabBarIconSize, nullptr, m_pTabBar);
        m_pTabBar->setIconSize(QSize(icon, icon) * scale);
        ApplyGeometry(m_pTabBar, m_firstGeometry.value(m_pTabBar));
    }
    m_pDialog->update();
}

void QtToolkit::RestoreWindowSize() {
    QSize size = m_firstSize;
    bool maximised = false;
    for (const auto& [key, value] : wavepost::LoadSettings(SettingsDirectory()).otherKeys) {
        if (key == kMaximisedKey) maximised = value == "1";
        if (key != kSizeKey) continue;
        m_strSavedSize = QString::fromStdString(value);
        const QStringList parts = m_strSavedSize.split('x');
        bool wide = false, high = false;
        const QSize saved =
            parts.size() == 2 ? QSize(parts[0].toInt(&wide), parts[1].toInt(&high)) : QSize();
        if (wide && high && saved.width() > 0 && saved.height() > 0) size = saved;
    }
    m_bSavedMaximised = maximised;
    size = size.expandedTo(m_pDialog->minimumSize());
    // Never larger than the screen: a window too large for it shrinks as a whole.
    QScreen* screen = m_pDialog->screen() ? m_pDialog->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QSize room = screen->availableGeometry().size() - kFrameAllowance;
        if (size.width() > room.width() || size.height() > room.height()) {
            const double f = std::min(static_cast<double>(room.width()) / size.width(),
                                      static_cast<double>(room.height()) / size.height());
            size = QSize(static_cast<int>(size.width() * f), static_cast<int>(size.height() * f));
            m_pDialog->setMinimumSize(m_pDialog->minimumSize().boundedTo(size));
        }
    }
    m_pDialog->resize(size);
    if (maximised) m_pDialog->setWindowState(m_pDialog->windowState() | Qt::WindowMaximized);
}

void QtToolkit::SaveWindowSize() {
    if (!m_pDialog) return;
    const bool maximised = m_pDialog->isMaximized();
    const QSize normal = m_pDialog->normalGeometry().size();
    if (normal.isEmpty()) return;
    const QString size = SizeText(normal);
    const QString before = m_strSavedSize.isEmpty() ? SizeText(m_firstSize) : m_strSavedSize;
    // Nothing written while the user has not changed the size.
    if (size == before && maximised == m_bSavedMaximised) return;
    const std::string folder = SettingsDirectory();
    if (folder.empty()) return;
    wavepost::ProgramSettings settings = wavepost::LoadSettings(folder);
    SetKey(settings, kSizeKey, size.toStdString());
    SetKey(settings, kMaximisedKey, maximised ? "1" : "0");
    try {
        wavepost::SaveSettings(folder, settings);
        m_strSavedSize = size;
        m_bSavedMaximised = maximised;
    } catch (const wavepost::FileError& error) {
        qWarning("wavepost: the window's size is not kept: %s", error.what());
    }
}

}  // namespace platform::qt
