// The about box on the offscreen platform, in each language: its texts, its picture button
// and where it opens.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QTimer>
#include <QtTest/QTest>
#include <functional>
#include <memory>

#include "dialogs/about_box.h"
#include "support/language_fixture.h"
#include "support/layout_check.h"

namespace vantrel::test {
namespace {

SystemLines Lines() {
    return {OsLine("Linux", "6.1.0-28-amd64"), MemoryLine(16314248),
            ParallelPortLine({"/dev/parport0"})};
}

class AboutBox : public ::testing::Test {
protected:
    void Open(const VersionValues& values) {
        main = std::make_unique<QWidget>();
        main->setGeometry(100, 60, 636, 450);
        form = new TAboutForm(values, Lines(), main.get());
    }
    // Runs the box modally; `act` runs once it is open. Returns the box's result, -1 when the
    // action left it open.
    int RunModal(const std::function<void()>& act) {
        QTimer::singleShot(0, form, [this, act] {
            act();
            if (form->isVisible()) {
                QTimer::singleShot(0, form, [this] { form->done(-1); });
            }
        });
        return form->Execute();
    }
    QLabel* Label(const char* name) { return form->findChild<QLabel*>(QString::fromLatin1(name)); }
    QString Text(const char* name) { return Label(name)->text(); }

    std::unique_ptr<QWidget> main;
    TAboutForm* form = nullptr;
};
using AboutBoxTest = InEachLanguage<AboutBox>;

TEST_P(AboutBoxTest, WithoutVersionValuesTheDesignTextsStay) {
    Open(VersionValues{});
    EXPECT_EQ(Text("ProductName"), "Product Name");
    EXPECT_EQ(Text("Version"), "Version ");
    EXPECT_EQ(Text("CompanyName"), "Company Name");
    EXPECT_EQ(Text("WinVersion"), "Linux 6.1  Build 0-28-amd64");
    EXPECT_EQ(Text("Memory"), "Total Physical Memory: 16314248 Kbytes");
    EXPECT_EQ(Text("ParallelPort"), "Parallel port: /dev/parport0");
}

TEST_P(AboutBoxTest, ShowsTheVersionValuesOnAWhiteBoxOfItsSize) {
    Open(BuiltVersionValues());
    EXPECT_EQ(form->windowTitle(), "About Vantrel");
    EXPECT_EQ(Text("ProductName"), "Vantrel 2000");
    EXPECT_TRUE(Text("Version").startsWith(
        QStringLiteral("Version " VANTREL_VERSION "  (Build)" VANTREL_VERSION)));
    EXPECT_FALSE(Text("Comments").isEmpty());
    EXPECT_EQ(form->size(), QSize(292, 330));
    EXPECT_EQ(form->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(Label("Image2")->size(), QSize(280, 140));
    EXPECT_EQ(Label("Image2")->pixmap().deviceIndependentSize().toSize(), QSize(280, 140));
    EXPECT_EQ(Label("ProgramIcon")->pixmap().deviceIndependentSize().toSize(), QSize(32, 32));
    for (const QPixmap& face : form->ImageList1) {
        EXPECT_EQ(face.deviceIndependentSize().toSize(), QSize(100, 27));
    }
    EXPECT_EQ(form->findChild<QFrame*>("Panel1")->height(), 3);

    QPoint at;
    RunModal([&] {
        at = form->pos();
        EXPECT_TRUE(form->isModal());
        const QStringList faults = LayoutFaults(form);
        EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
        if (const char* out = std::getenv("VANTREL_SCREENSHOT_DIR")) {
            form->grab().save(QString::fromLocal8Bit(out) + QStringLiteral("/about-box-") +
                              QString::fromStdString(LanguageName({GetParam(), 0})) +
                              QStringLiteral(".png"));
        }
    });
    EXPECT_EQ(at, main->frameGeometry().topLeft() + QPoint(220, 30));
}

TEST_P(AboutBoxTest, PictureButtonFacesFollowTheMouseAndReleaseCloses) {
    Open(BuiltVersionValues());
    QLabel* button = Label("Image1");
    auto showing = [&](int face) {
        return form->Image1Face() == face &&
               button->pixmap().cacheKey() ==
                   form->ImageList1[static_cast<size_t>(face)].cacheKey();
    };
    const int result = RunModal([&] {
        EXPECT_TRUE(showing(0));
        QTest::mouseMove(button, QPoint(50, 13));
        EXPECT_TRUE(showing(2));
        QTest::mouseMove(form, QPoint(20, 20));
        EXPECT_TRUE(showing(0));
        QTest::mouseMove(button, QPoint(40, 10));
        EXPECT_TRUE(showing(2));
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(40, 10));
        EXPECT_TRUE(showing(1));
        EXPECT_TRUE(form->isVisible());
        // Released off the button: face 0 again, the box stays.
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(150, 10));
        EXPECT_TRUE(showing(0));
        EXPECT_TRUE(form->isVisible());
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(40, 10));
        EXPECT_TRUE(showing(1));
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(40, 10));
        EXPECT_TRUE(showing(0));
        EXPECT_FALSE(form->isVisible());
    });
    EXPECT_EQ(result, QDialog::Accepted);
    // The box opens again with the normal face.
    EXPECT_EQ(RunModal([&] { EXPECT_TRUE(showing(0)); }), -1);
}

VANTREL_IN_EACH_LANGUAGE(AboutBoxTest);

}  // namespace
}  // namespace vantrel::test
