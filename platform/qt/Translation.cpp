#include "platform/qt/Translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QStringList>
#include <QTranslator>
#include <memory>
#include <vector>

#include "app/layout/StringTable.h"
#include "platform/qt/TextCodec.h"

namespace platform::qt {

namespace {

// The context of every text in the program's translation files.
constexpr const char* kContext = "wavepost";

bool g_bTranslating = false;
// Owned here, so that they go at the latest with the program's statics, however it ends.
std::vector<std::unique_ptr<QTranslator>> g_translators;

// The program's language for one locale name ("en_GB.UTF-8", "fr", "C"); empty when the
// program has no translation for it.
QString LanguageOf(const QString& locale) {
    const QString language = locale.section(QLatin1Char('_'), 0, 0).section(QLatin1Char('.'), 0, 0);
    if (language == QLatin1String("en") || language == QLatin1String("fr")) return language;
    return {};
}

// A message of the string table with its directives: matched against a shown text, it
// gives the arguments to put into the translation's directives.
struct Pattern {
    QString french;
    QRegularExpression expression;
};

const std::vector<Pattern>& Patterns() {
    static const std::vector<Pattern> patterns = [] {
        static const QRegularExpression directive(QStringLiteral("%(l?d|s)"));
        std::vector<Pattern> list;
        for (const auto& [id, bytes] : wavepost::AllStrings()) {
            // Looked up as the messages' paragraphs are: without the blank lines that
            // join it to another.
            QString french = QString::fromStdString(bytes);
            while (french.startsWith(QLatin1Char('\n'))) french.remove(0, 1);
            while (french.endsWith(QLatin1Char('\n'))) french.chop(1);
            if (!french.contains(directive)) continue;
            QString expression = QStringLiteral("^");
            qsizetype at = 0;
            for (auto match = directive.globalMatch(french); match.hasNext();) {
                const auto m = match.next();
                expression += QRegularExpression::escape(french.mid(at, m.capturedStart() - at));
                expression += m.captured(1) == QLatin1String("s") ? QStringLiteral("(.*?)")
                                                                  : QStringLiteral("(-?\\d+)");
                at = m.capturedEnd();
            }
            expression += QRegularExpression::escape(french.mid(at)) + QStringLiteral("\\z");
            list.push_back(
                {french,
                 QRegularExpression(expression, QRegularExpression::DotMatchesEverythingOption)});
        }
        return list;
    }();
    return patterns;
}

// The translation of one of the program's texts; a null text when it is none.
QString Lookup(const QString& french) {
    if (french.isEmpty()) return {};
    const QByteArray source = french.toUtf8();
    const QString translated = QCoreApplication::translate(kContext, source.constData());
    if (translated != french) return translated;
    // A text with its mnemonic marker: the English text gets one on the same letter, or
    // on its first letter.
    static const QRegularExpression marker(QStringLiteral("&(?=[^&])"));
    const qsizetype at = french.indexOf(marker);
    if (at < 0) return {};
    QString plain = french;
    plain.remove(at, 1);
    const QString english = QCoreApplication::translate(kContext, plain.toUtf8().constData());
    if (english == plain) return {};
    qsizetype place = english.indexOf(french.at(at + 1), 0, Qt::CaseInsensitive);
    if (place < 0) place = 0;
    return english.left(place) + QLatin1Char('&') + english.mid(place);
}

QString Translate(const QString& text, int depth);

// A message built from one of the table's: the translation with the same arguments, each
// translated in turn (a message may carry another).
QString TranslateFormatted(const QString& text, int depth) {
    for (const Pattern& pattern : Patterns()) {
        const auto match = pattern.expression.match(text);
        if (!match.hasMatch()) continue;
        const QString english = Lookup(pattern.french);
        if (english.isNull()) continue;
        static const QRegularExpression directive(QStringLiteral("%(l?d|s)"));
        QString out;
        qsizetype at = 0;
        int argument = 1;
        for (auto m = directive.globalMatch(english); m.hasNext();) {
            const auto d = m.next();
            out += english.mid(at, d.capturedStart() - at);
            out += Translate(match.captured(argument++), depth + 1);
            at = d.capturedEnd();
        }
        return out + english.mid(at);
    }
    return {};
}

QString Translate(const QString& text, int depth) {
    if (depth > 3 || text.isEmpty()) return text;
    if (QString exact = Lookup(text); !exact.isNull()) return exact;
    if (QString formatted = TranslateFormatted(text, depth); !formatted.isNull()) return formatted;
    // Texts made of several: paragraphs, then lines.
    for (const QString& separator : {QStringLiteral("\n\n"), QStringLiteral("\n")}) {
        if (!text.contains(separator)) continue;
        QStringList parts = text.split(separator);
        for (QString& part : parts) part = Translate(part, depth + 1);
        return parts.join(separator);
    }
    // A sentence ended by the program after a message of the table.
    if (text.endsWith(QLatin1Char('.'))) {
        const QString head = text.chopped(1);
        if (QString inner = Translate(head, depth + 1); inner != head)
            return inner + QLatin1Char('.');
    }
    // A message followed by another that starts with words of its own (", transfert en").
    for (const Pattern& pattern : Patterns()) {
        const qsizetype firstDirective = pattern.french.indexOf(QLatin1Char('%'));
        if (firstDirective < 4) continue;
        const qsizetype at = text.indexOf(pattern.french.left(firstDirective), 1);
        if (at < 0) continue;
        const QString head = Translate(text.left(at), depth + 1);
        const QString tail = Translate(text.mid(at), depth + 1);
        if (head != text.left(at) || tail != text.mid(at)) return head + tail;
    }
    // A text that leads with blanks (the "    ?" tab) is found without them too.
    if (text.front().isSpace()) {
        const qsizetype start = text.size() - text.trimmed().size();
        if (QString inner = Lookup(text.mid(start)); !inner.isNull())
            return text.left(start) + inner;
    }
    return text;
}

}  // namespace

QString ChosenLanguage() {
    // LANGUAGE lists languages by preference, the locale variables name one.
    QStringList wanted =
        qEnvironmentVariable("LANGUAGE").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = qEnvironmentVariable(name);
        if (!value.isEmpty()) {
            wanted << value;
            break;
        }
    }
    for (const QString& locale : wanted)
        if (QString language = LanguageOf(locale); !language.isEmpty()) return language;
    return QStringLiteral("fr");
}

void InstallTranslators() {
    const QString language = ChosenLanguage();
    // Owned here, not by the application: the one that reads --help goes before the
    // window's comes.
    auto translator = std::make_unique<QTranslator>();
    // Qt's own texts are English: only another language needs their translation, and
    // the program's texts are French.
    const bool loaded = language == QLatin1String("en")
                            ? translator->load(QStringLiteral(":/i18n/wavepost_") + language)
                            : translator->load(QStringLiteral("qtbase_") + language,
                                               QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (!loaded) return;
    QCoreApplication::installTranslator(translator.get());
    g_translators.push_back(std::move(translator));
    g_bTranslating = language == QLatin1String("en");
}

void RemoveTranslators() {
    for (const auto& translator : g_translators)
        QCoreApplication::removeTranslator(translator.get());
    g_translators.clear();
    g_bTranslating = false;
}

QString Shown(const std::string& bytes) {
    const QString text = Decode(bytes);
    return g_bTranslating ? Translate(text, 0) : text;
}

}  // namespace platform::qt
