// Every text the operator reads goes through the translation system: a check over the
// program's sources. It names each literal that is shown untranslated, as file:line.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "i18n/source_literals.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;

const char* const kFolders[] = {"app",     "common",  "dialogs", "journal", "lists",  "modes",
                                "reports", "sensors", "voice",   "web",     "widgets"};

// The calls whose literal argument is looked up in the translations.
const std::set<std::string> kMarkers = {"tr",           "translate",         "QT_TR_NOOP",
                                        "VANTREL_TEXT", "QT_TRANSLATE_NOOP", "qsTr"};

// Calls that show their (QString) argument to the operator.
const std::set<std::string> kShown = {"setText",
                                      "setWindowTitle",
                                      "setToolTip",
                                      "setStatusTip",
                                      "setWhatsThis",
                                      "setPlaceholderText",
                                      "addTab",
                                      "insertTab",
                                      "setTabText",
                                      "addAction",
                                      "addMenu",
                                      "setTitle",
                                      "setLabelText",
                                      "setHorizontalHeaderLabels",
                                      "setVerticalHeaderLabels",
                                      "setHeaderData",
                                      "setSpecialValueText",
                                      "setSuffix",
                                      "setPrefix",
                                      "showMessage",
                                      "AskYesNo",
                                      "Warn",
                                      "Error",
                                      "Inform",
                                      "Message",
                                      "information",
                                      "warning",
                                      "critical",
                                      "question",
                                      "addItem",
                                      "addItems",
                                      "insertItem",
                                      "setItemText",
                                      "QLabel",
                                      "QPushButton",
                                      "QCheckBox",
                                      "QRadioButton",
                                      "QGroupBox",
                                      "QAction",
                                      "QMenu",
                                      "QToolButton",
                                      "MakeNamed",
                                      "setAccessibleName",
                                      "setButtonText",
                                      "setDefaultSuffix"};

// What wraps a literal into a QString on its way to a shown call.
const std::set<std::string> kWrappers = {"QStringLiteral", "fromUtf8", "fromLatin1",
                                         "QLatin1String",  "QString",  "QLatin1StringView",
                                         "fromStdString"};

// Literals that are not texts though they hold Japanese characters or reach a shown call:
// data written into files, font names and marks that read the same in every language.
const std::set<std::string> kNotTexts = {
    "(ﾚｸﾁｬｰ)",        // the lecture mark in the result file's comment
    "ＭＳ ゴシック",  // a font family name
    "，",             // the comma a name's comma becomes in the list files
    "Vantrel 2000",   // the product's name
};

bool HasNonAscii(const std::string& text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return (c & 0x80) != 0; });
}

bool HasLetter(const std::string& text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; });
}

bool Marked(const SourceLiteral& literal) {
    return !literal.calls.empty() && kMarkers.count(literal.calls[0].callee) != 0;
}

// A literal handed, directly or wrapped once, to a call that shows it; MakeNamed's first
// text argument is the object name.
bool Shown(const SourceLiteral& literal) {
    size_t at = 0;
    if (at < literal.calls.size() && kWrappers.count(literal.calls[at].callee) != 0) {
        ++at;
    }
    if (at >= literal.calls.size() || kShown.count(literal.calls[at].callee) == 0) {
        return false;
    }
    return literal.calls[at].callee != "MakeNamed" || literal.calls[at].argument >= 2;
}

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The literals of the product's sources shown to the operator untranslated, as
// "file:line: text".
std::vector<std::string> UntranslatedTexts() {
    std::vector<std::string> found;
    const fs::path root = VANTREL_SOURCE_DIR;
    for (const char* folder : kFolders) {
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root / folder)) {
            const std::string ext = entry.path().extension().string();
            if (ext != ".cpp" && ext != ".h") {
                continue;
            }
            const std::string source = Read(entry.path());
            const bool windowSide = source.find("#include <Q") != std::string::npos;
            for (const SourceLiteral& literal : SourceLiterals(source)) {
                if (Marked(literal) || kNotTexts.count(literal.text) != 0) {
                    continue;
                }
                const bool japanese = HasNonAscii(literal.text);
                const bool shown =
                    windowSide && Shown(literal) && (japanese || HasLetter(literal.text));
                if (japanese || shown) {
                    found.push_back(fs::relative(entry.path(), root).string() + ":" +
                                    std::to_string(literal.line) + ": " + literal.text);
                }
            }
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

TEST(UiTextCheckTest, TheCheckFindsTheLiteralsItIsAbout) {
    const std::string source = R"src(
#include "x.h"
// "コメント" is no text
void F() {
    label->setText(QStringLiteral("Close"));         // shown, untranslated
    label->setText(tr("閉じる"));                     // translated
    auto* b = MakeNamed<QPushButton>(this, "Name", QStringLiteral("OK"));
    static constexpr UiText k = VANTREL_TEXT("ctx", "開始"
                                             "です");
    box->setObjectName(QStringLiteral("BoxName"));  // a name, not shown
    Warn("未訳");
}
)src";
    const std::vector<SourceLiteral> literals = SourceLiterals(source);
    std::vector<std::string> texts;
    for (const SourceLiteral& literal : literals) {
        texts.push_back(literal.text + (Marked(literal) ? "|marked" : "") +
                        (Shown(literal) ? "|shown" : "") + "@" + std::to_string(literal.line));
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"Close|shown@5", "閉じる|marked@6", "Name@7",
                                               "OK|shown@7", "ctx|marked@8", "開始です|marked@8",
                                               "BoxName@10", "未訳|shown@11"}));
}

TEST(UiTextCheckTest, EveryShownLiteralGoesThroughTheTranslations) {
    const std::vector<std::string> found = UntranslatedTexts();
    std::string list;
    for (const std::string& line : found) {
        list += line + "\n";
    }
    EXPECT_TRUE(found.empty()) << found.size() << " texts outside the translations:\n" << list;
}

}  // namespace
}  // namespace vantrel
