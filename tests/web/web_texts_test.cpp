// The live pages speak the program's language: Japanese pages exactly as stored, English ones
// with every heading and script text in English, served by the server's own thread.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <QTcpSocket>
#include <QTranslator>

#include "app/ui_language.h"
#include "common/ms_clock.h"
#include "web/page_texts.h"
#include "web/web_pages.h"
#include "web/web_server.h"

namespace vantrel::test {
namespace {

// Japanese again when a test ends, however it ends.
struct JapaneseAfterwards {
    ~JapaneseAfterwards() { InstallLanguage(UiLanguage::kJapanese); }
};

QJsonObject Texts() {
    QByteArray script = PageFile("texts.js").body;
    const QByteArray start = "window.vantrelTexts = ";
    EXPECT_TRUE(script.startsWith(start)) << script.constData();
    script = script.mid(start.size());
    script.chop(script.size() - script.lastIndexOf(';'));
    return QJsonDocument::fromJson(script).object();
}

QByteArray Stored(const char* name) {
    QFile file(QStringLiteral(":/web/") + QLatin1String(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

// The keys `pattern` (its captures) names in `text`.
QSet<QString> KeysIn(const QString& text, const QString& pattern) {
    QSet<QString> keys;
    for (const QRegularExpressionMatch& match : QRegularExpression(pattern).globalMatch(text)) {
        for (int i = 1; i <= match.lastCapturedIndex(); ++i) {
            keys.insert(match.captured(i));
        }
    }
    return keys;
}

const QRegularExpression kJapanese(QStringLiteral("[\\x{3000}-\\x{30ff}\\x{4e00}-\\x{9fff}]"));

TEST(WebTextsTest, JapanesePagesAreServedAsStoredAndEveryKeyTheyUseHasItsText) {
    PageFile("index.html");  // makes the stored pages readable
    for (const char* page : {"index.html", "board.html"}) {
        EXPECT_EQ(PageFile(page).body, Stored(page)) << page;
    }
    const QJsonObject all = Texts();
    EXPECT_EQ(all[QStringLiteral("lang")].toString(), QStringLiteral("ja"));
    const QJsonObject texts = all[QStringLiteral("texts")].toObject();
    EXPECT_EQ(texts[QStringLiteral("noCar")].toString(),
              QStringLiteral("走行中の車両はありません"));
    EXPECT_EQ(all[QStringLiteral("headings")][QStringLiteral("Rank")].toString(),
              QStringLiteral("順位"));
    EXPECT_EQ(all[QStringLiteral("modes")][QStringLiteral("CIRCUIT")].toString(),
              QStringLiteral("サーキット"));

    // A key a page or script asks for and the table lacks would show the key itself.
    const QString pages = QString::fromUtf8(Stored("index.html") + Stored("board.html"));
    const QString scripts = QString::fromUtf8(Stored("live.js") + Stored("board.js"));
    QSet<QString> used = KeysIn(pages, QStringLiteral(R"re(data-(?:text|label)="(\w+)")re"));
    used.unite(KeysIn(scripts, QStringLiteral(R"re(\btext\("(\w+)")re")));
    used.unite(KeysIn(scripts, QStringLiteral(R"re(\btext\([^()]*\? "(\w+)" : "(\w+)")re")));
    EXPECT_GE(used.size(), 20);
    for (const QString& key : used) {
        EXPECT_TRUE(texts.contains(key)) << key.toStdString();
    }
    // Each marked element holds its key's text as stored, so Japanese is left as it was.
    for (const QRegularExpressionMatch& match :
         QRegularExpression(QStringLiteral(R"re(data-text="(\w+)"[^>]*>([^<]*)<)re"))
             .globalMatch(pages)) {
        EXPECT_EQ(texts[match.captured(1)].toString(), match.captured(2))
            << match.captured(1).toStdString();
    }
}

TEST(WebTextsTest, EnglishPagesAndScriptTextsHoldNoJapanese) {
    JapaneseAfterwards restore;
    ASSERT_TRUE(InstallLanguage(UiLanguage::kEnglish));
    const QJsonObject all = Texts();
    EXPECT_EQ(all[QStringLiteral("lang")].toString(), QStringLiteral("en"));
    EXPECT_EQ(all[QStringLiteral("texts")][QStringLiteral("noCar")].toString(),
              QStringLiteral("No cars on course"));
    EXPECT_EQ(all[QStringLiteral("texts")][QStringLiteral("rankHeading")].toString(),
              QStringLiteral("Standings"));
    EXPECT_EQ(all[QStringLiteral("headings")][QStringLiteral("Rank")].toString(),
              QStringLiteral("Rank"));
    for (const QString& table :
         {QStringLiteral("texts"), QStringLiteral("modes"), QStringLiteral("headings")}) {
        const QJsonObject texts = all[table].toObject();
        EXPECT_FALSE(texts.isEmpty()) << table.toStdString();
        for (auto it = texts.begin(); it != texts.end(); ++it) {
            EXPECT_FALSE(it.value().toString().contains(kJapanese))
                << table.toStdString() << "." << it.key().toStdString();
        }
    }
    const QString index = QString::fromUtf8(PageFile("index.html").body);
    EXPECT_TRUE(index.contains(QStringLiteral("<html lang=\"en\">")));
    EXPECT_TRUE(index.contains(QStringLiteral("<h1 data-text=\"liveTitle\">Live results</h1>")));
    EXPECT_TRUE(index.contains(QStringLiteral("aria-label=\"Class\"")));
    for (const char* page : {"index.html", "board.html"}) {
        const QString html = QString::fromUtf8(PageFile(page).body);
        EXPECT_FALSE(html.contains(kJapanese)) << page << "\n" << html.toStdString();
    }

    // The server's own thread answers in English too.
    FakeMsClock clock{0};
    WebServer server(clock);
    ASSERT_TRUE(server.Start(0).isEmpty());
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), server.Port());
    ASSERT_TRUE(socket.waitForConnected(3000));
    socket.write("GET /texts.js HTTP/1.1\r\n\r\n");
    QByteArray reply;
    while (socket.waitForReadyRead(3000)) {
        reply += socket.readAll();
    }
    EXPECT_TRUE(reply.startsWith("HTTP/1.1 200 OK")) << reply.constData();
    EXPECT_TRUE(reply.contains("Content-Type: text/javascript; charset=utf-8\r\n"));
    EXPECT_TRUE(reply.contains("\"noCar\":\"No cars on course\""));
}

// A translator that puts markup around every text: what a page shows stays text.
class MarkupTranslator : public QTranslator {
public:
    QString translate(const char* context, const char* source, const char*, int) const override {
        return QLatin1String(context) == QLatin1String("web page")
                   ? QStringLiteral("<b>&") + QString::fromUtf8(source)
                   : QString();
    }
    bool isEmpty() const override { return false; }
};

TEST(WebTextsTest, TranslatedTextsAreEscapedInThePages) {
    MarkupTranslator translator;
    QCoreApplication::installTranslator(&translator);
    const QString index = QString::fromUtf8(PageFile("index.html").body);
    const QString board = QString::fromUtf8(PageFile("board.html").body);
    QCoreApplication::removeTranslator(&translator);
    EXPECT_FALSE(index.contains(QStringLiteral("<b>"))) << index.toStdString();
    EXPECT_TRUE(index.contains(QStringLiteral("<html lang=\"ja\">")));  // no code, no markup
    EXPECT_TRUE(index.contains(
        QStringLiteral("<span data-text=\"rankHeading\">&lt;b&gt;&amp;順位</span> <select")));
    EXPECT_TRUE(index.contains(QStringLiteral("aria-label=\"&lt;b&gt;&amp;クラス\"")));
    EXPECT_TRUE(board.contains(QStringLiteral(">&lt;b&gt;&amp;Split #1</div>")));
    // The marked elements and nothing else: the page keeps every other byte.
    EXPECT_EQ(index.count(QStringLiteral("&lt;b&gt;&amp;")),
              QString::fromUtf8(Stored("index.html")).count(QStringLiteral("data-text=")) + 1);
}

}  // namespace
}  // namespace vantrel::test
