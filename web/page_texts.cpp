#include "web/page_texts.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QString>
#include <cstddef>

namespace vantrel {

namespace {

constexpr const char* kPageContext = "web page";
// The column headings apart: a column's "順位" is the rank, the page's the standings.
constexpr const char* kColumnContext = "web column";

struct PageText {
    const char* key;
    const char* source;
};

// The pages' headings and the scripts' own texts.
constexpr PageText kTexts[] = {
    {"liveTitle", QT_TRANSLATE_NOOP("web page", "ライブリザルト")},
    {"boardTitle", QT_TRANSLATE_NOOP("web page", "スコアボード")},
    {"connecting", QT_TRANSLATE_NOOP("web page", "接続中…")},
    {"live", QT_TRANSLATE_NOOP("web page", "ライブ")},
    {"reconnecting", QT_TRANSLATE_NOOP("web page", "再接続中…")},
    {"lastHeading", QT_TRANSLATE_NOOP("web page", "最新リザルト")},
    {"noResult", QT_TRANSLATE_NOOP("web page", "まだ結果はありません")},
    {"courseHeading", QT_TRANSLATE_NOOP("web page", "コース上")},
    {"noCar", QT_TRANSLATE_NOOP("web page", "走行中の車両はありません")},
    {"rankHeading", QT_TRANSLATE_NOOP("web page", "順位")},
    {"classLabel", QT_TRANSLATE_NOOP("web page", "クラス")},
    {"allClasses", QT_TRANSLATE_NOOP("web page", "全体")},
    {"resultsHeading", QT_TRANSLATE_NOOP("web page", "リザルト一覧")},
    {"resultCount", QT_TRANSLATE_NOOP("web page", "(%1 件)")},
    {"lapNumber", QT_TRANSLATE_NOOP("web page", "%1 周目")},
    {"runNumber", QT_TRANSLATE_NOOP("web page", "%1 本目")},
    {"boardLink", QT_TRANSLATE_NOOP("web page", "スコアボード表示")},
    {"split1", QT_TRANSLATE_NOOP("web page", "Split #1")},
    {"split2", QT_TRANSLATE_NOOP("web page", "Split #2")},
    {"time", QT_TRANSLATE_NOOP("web page", "Time")},
    {"carNumber", QT_TRANSLATE_NOOP("web page", "No.%1")},
};

constexpr PageText kModes[] = {
    {"GYMKHANA", QT_TRANSLATE_NOOP("web page", "ジムカーナ")},
    {"DRAG", QT_TRANSLATE_NOOP("web page", "ドラッグ")},
    {"CIRCUIT", QT_TRANSLATE_NOOP("web page", "サーキット")},
};

// The headings of the standings and result columns, by the columns' own names; a column not
// named here shows its own name.
constexpr PageText kHeadings[] = {
    {"Rank", QT_TRANSLATE_NOOP("web column", "順位")},
    {"Car", QT_TRANSLATE_NOOP("web column", "No.")},
    {"Name", QT_TRANSLATE_NOOP("web column", "氏名")},
    {"Model", QT_TRANSLATE_NOOP("web column", "車両")},
    {"BestLap", QT_TRANSLATE_NOOP("web column", "ベスト")},
    {"Lap", QT_TRANSLATE_NOOP("web column", "周回")},
    {"Total", QT_TRANSLATE_NOOP("web column", "合計")},
    {"Behind", QT_TRANSLATE_NOOP("web column", "差")},
    {"Pen", QT_TRANSLATE_NOOP("web column", "ペナルティ")},
    {"Time", QT_TRANSLATE_NOOP("web column", "タイム")},
    {"Comment", QT_TRANSLATE_NOOP("web column", "コメント")},
    {"Split1", QT_TRANSLATE_NOOP("web column", "スプリット1")},
    {"Split2", QT_TRANSLATE_NOOP("web column", "スプリット2")},
    {"Lap time", QT_TRANSLATE_NOOP("web column", "ラップ")},
    {"Fly", QT_TRANSLATE_NOOP("web column", "フライング")},
    {"Speed", QT_TRANSLATE_NOOP("web column", "速度")},
    {"Try", QT_TRANSLATE_NOOP("web column", "回")},
    {"Class", QT_TRANSLATE_NOOP("web column", "クラス")},
};

QString Shown(const char* source, const char* context = kPageContext) {
    return QCoreApplication::translate(context, source);
}

template <size_t N>
QJsonObject TableOf(const PageText (&table)[N], const char* context = kPageContext) {
    QJsonObject object;
    for (const PageText& text : table) {
        object.insert(QLatin1String(text.key), Shown(text.source, context));
    }
    return object;
}

// The shown text of `key`, escaped for HTML; none for a key not in the table.
QString HtmlText(const QString& key) {
    for (const PageText& text : kTexts) {
        if (key == QLatin1String(text.key)) {
            return Shown(text.source).toHtmlEscaped();
        }
    }
    return QString();
}

// Replaces capture 2 of each match of `pattern` (capture 1 the key) by the key's text.
QString FillMarked(QString page, const QRegularExpression& pattern) {
    QString out;
    qsizetype done = 0;
    for (const QRegularExpressionMatch& match : pattern.globalMatch(page)) {
        const QString text = HtmlText(match.captured(1));
        if (text.isNull()) {
            continue;
        }
        out += QStringView(page).mid(done, match.capturedStart(2) - done);
        out += text;
        done = match.capturedEnd(2);
    }
    out += QStringView(page).mid(done);
    return out;
}

}  // namespace

QByteArray PageLanguage() {
    static const QRegularExpression kCode(QStringLiteral("^[a-z]{2,3}(-[A-Za-z0-9]{1,8})*$"));
    const QString code =
        QCoreApplication::translate("web page", "ja", "the pages' language code (html lang)");
    return kCode.match(code).hasMatch() ? code.toLatin1() : QByteArray("ja");
}

QByteArray LocalisedPage(const QByteArray& html) {
    static const QRegularExpression kElement(
        QStringLiteral(R"re(data-text="(\w+)"[^>]*>([^<]*)<)re"));
    static const QRegularExpression kLabel(
        QStringLiteral(R"re(data-label="(\w+)"[^>]*?aria-label="([^"]*)")re"));
    QString page = QString::fromUtf8(html);
    page.replace(QStringLiteral("<html lang=\"ja\">"),
                 QStringLiteral("<html lang=\"%1\">").arg(QString::fromLatin1(PageLanguage())));
    return FillMarked(FillMarked(page, kElement), kLabel).toUtf8();
}

QByteArray PageTextsScript() {
    QJsonObject all;
    all.insert(QStringLiteral("lang"), QString::fromLatin1(PageLanguage()));
    all.insert(QStringLiteral("texts"), TableOf(kTexts));
    all.insert(QStringLiteral("modes"), TableOf(kModes));
    all.insert(QStringLiteral("headings"), TableOf(kHeadings, kColumnContext));
    return "window.vantrelTexts = " + QJsonDocument(all).toJson(QJsonDocument::Compact) + ";\n";
}

}  // namespace vantrel
