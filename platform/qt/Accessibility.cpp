// What screen readers and the keyboard get of the window: the names of the controls from
// their labels, and the mnemonics of the tabs shown as pictures.
#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>
#include <QShortcut>
#include <QTabBar>

#include "app/layout/StringTable.h"
#include "platform/qt/QtToolkit.h"
#include "platform/qt/TextCodec.h"
#include "platform/qt/Translation.h"

namespace platform::qt {

namespace {

// A caption as it is heard: without the mnemonic marker, its line breaks, or the colon
// that leads to the field.
QString Spoken(QString text) {
    text.remove('&');
    text = text.simplified();
    if (text.endsWith(':')) text.chop(1);
    return text.trimmed();
}

// Qt names a drop-down list by its choice on Linux, so that the two grid spacings are both
// "1.0": the window's lists are named by their labels, their choice is their description.
class AccessibleDropDown : public QAccessibleWidget {
  public:
    explicit AccessibleDropDown(QComboBox* combo)
        : QAccessibleWidget(combo, QAccessible::ComboBox) {}
    QString text(QAccessible::Text t) const override {
        auto* combo = static_cast<QComboBox*>(widget());
        if (t == QAccessible::Name && !combo->accessibleName().isEmpty())
            return combo->accessibleName();
        if (t == QAccessible::Value || t == QAccessible::Description) return combo->currentText();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return {showMenuAction()}; }
    void doAction(const QString& action) override {
        if (action == showMenuAction()) static_cast<QComboBox*>(widget())->showPopup();
    }
};

QAccessibleInterface* DropDownFactory(const QString& key, QObject* object) {
    auto* combo = qobject_cast<QComboBox*>(object);
    if (key != QLatin1String("QComboBox") || !combo || !qobject_cast<MainDialog*>(combo->parent()))
        return nullptr;
    return new AccessibleDropDown(combo);
}

}  // namespace

void InstallAccessibleDropDowns() {
    static const bool installed = (QAccessible::installFactory(DropDownFactory), true);
    (void)installed;
}

void QtToolkit::UpdateAccessibleNames() {
    auto byId = [this](int id) -> QWidget* {
        if (QWidget* w = Widget(id)) return w;
        return m_pageControlsById.value(id).data();
    };
    auto captionOf = [this](QWidget* w) -> QString {
        if (!w) return {};
        if (auto it = m_unwrapped.find(w); it != m_unwrapped.end()) return Spoken(it.value());
        if (auto* label = qobject_cast<QLabel*>(w)) return Spoken(label->text());
        if (auto* button = qobject_cast<QAbstractButton*>(w)) return Spoken(button->text());
        return {};
    };
    // Multi-line captions are heard as one line.
    for (auto it = m_unwrapped.cbegin(); it != m_unwrapped.cend(); ++it)
        it.key()->setAccessibleName(Spoken(it.value()));
    for (const auto& buddy : wavepost::LabelBuddies()) {
        QWidget* control = byId(buddy.control);
        if (!control) continue;
        QWidget* label = buddy.label ? byId(buddy.label) : nullptr;
        if (auto* l = qobject_cast<QLabel*>(label)) l->setBuddy(control);
        QString name =
            buddy.textId ? Spoken(Shown(wavepost::LoadString(buddy.textId))) : captionOf(label);
        if (name.isEmpty()) continue;  // its label is not made yet
        QString context;
        if (buddy.context > 0) {
            context = captionOf(byId(buddy.context));
        } else if (buddy.context < 0 && m_pTabBar) {
            const int page = -1 - buddy.context;
            context = Spoken(m_pTabBar->tabText(page));
            if (context.isEmpty()) context = Spoken(m_pTabBar->tabToolTip(page));
        }
        if (!context.isEmpty()) name = context + QStringLiteral(", ") + name;
        if (auto* spin = qobject_cast<SpinArrows*>(control)) {
            spin->SetAccessibleNames(name);
            continue;
        }
        if (control->accessibleName() != name) control->setAccessibleName(name);
    }
}

void QtToolkit::NamePageControl(QWidget* control, bool isList) {
    if (!isList) {
        m_pLastCaption = control;
        UpdateAccessibleNames();
        return;
    }
    if (auto* caption = qobject_cast<QLabel*>(m_pLastCaption.data())) {
        caption->setBuddy(control);
        control->setAccessibleName(Spoken(caption->text()));
    }
}

void QtToolkit::AddTabMnemonic(int index, const QString& text) {
    const QKeySequence key = QKeySequence::mnemonic(text);
    if (key.isEmpty() || !m_pTabBar) return;
    auto* shortcut = new QShortcut(key, m_pDialog);
    // As a click on the tab: the window hears of the change.
    QObject::connect(shortcut, &QShortcut::activated, m_pTabBar,
                     [this, index] { m_pTabBar->setCurrentIndex(index); });
}

}  // namespace platform::qt
