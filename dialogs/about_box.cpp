#include "dialogs/about_box.h"

#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>

#include "dialogs/about_place.h"
#include "widgets/widget_util.h"

// The pictures live in a static library: their resources must be registered by hand.
static void InitAboutResources() {
    Q_INIT_RESOURCE(about);
}

namespace vantrel {

// Texts are looked up under the class name without its namespace, the context the
// translation files hold them under (tr() would use the namespaced name).

namespace {

constexpr int kClientWidth = 292;
constexpr int kClientHeight = 330;

QLabel* TextLabel(QWidget* parent, const char* name, const std::string& text, QRect at) {
    auto* label = MakeNamed<QLabel>(parent, name);
    label->setText(QString::fromStdString(text));
    label->setGeometry(at);
    return label;
}

}  // namespace

TAboutForm::TAboutForm(const VersionValues& version, const SystemLines& system, QWidget* parent)
    : QDialog(parent) {
    InitAboutResources();
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QCoreApplication::translate("TAboutForm", "About Vantrel"));
    setFixedSize(kClientWidth, kClientHeight);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setMouseTracking(true);
    BuildControls();
    ProductName->setText(QString::fromStdString(ProductNameText(version)));
    Version->setText(QString::fromStdString(VersionText(version)));
    CompanyName->setText(QString::fromStdString(CompanyNameText(version)));
    WinVersion->setText(QString::fromStdString(system.os));
    Memory->setText(QString::fromStdString(system.memory));
    ParallelPort->setText(QString::fromStdString(system.parallelPort));
}

void TAboutForm::BuildControls() {
    Image2 = MakeNamed<QLabel>(this, "Image2");
    Image2->setGeometry(6, 6, 280, 140);
    Image2->setPixmap(QPixmap(QStringLiteral(":/about/logo.png")));
    ProgramIcon = MakeNamed<QLabel>(this, "ProgramIcon");
    ProgramIcon->setGeometry(10, 156, 32, 32);
    ProgramIcon->setPixmap(QPixmap(QStringLiteral(":/about/icon32.png")));

    const int textLeft = 52;
    const int textWidth = kClientWidth - textLeft - 6;
    ProductName =
        TextLabel(this, "ProductName", kDesignProductName, QRect(textLeft, 152, textWidth, 18));
    QFont bold = ProductName->font();
    bold.setBold(true);
    ProductName->setFont(bold);
    Version = TextLabel(this, "Version", kDesignVersion, QRect(textLeft, 170, textWidth, 18));
    CompanyName =
        TextLabel(this, "CompanyName", kDesignCompanyName, QRect(textLeft, 188, textWidth, 18));
    Comments = TextLabel(this, "Comments", VANTREL_HOMEPAGE, QRect(textLeft, 206, textWidth, 18));
    Comments->setWordWrap(true);

    Panel1 = MakeNamed<QFrame>(this, "Panel1");
    Panel1->setGeometry(6, 230, kClientWidth - 12, 3);
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Sunken);
    Panel1->setLineWidth(1);

    WinVersion = TextLabel(this, "WinVersion", "", QRect(10, 240, kClientWidth - 16, 18));
    Memory = TextLabel(this, "Memory", "", QRect(10, 258, kClientWidth - 16, 18));
    ParallelPort = TextLabel(this, "ParallelPort", "", QRect(10, 276, kClientWidth - 16, 18));

    const char* faces[] = {":/about/button_normal.png", ":/about/button_pressed.png",
                           ":/about/button_hover.png"};
    for (size_t i = 0; i < ImageList1.size(); ++i) {
        ImageList1[i] = QPixmap(QString::fromLatin1(faces[i]));
    }
    Image1 = MakeNamed<QLabel>(this, "Image1");
    Image1->setGeometry(kClientWidth - 106, kClientHeight - 33, 100, 27);
    Image1->setMouseTracking(true);
    Image1->installEventFilter(this);
    ShowFace(0);
    for (QLabel* label : findChildren<QLabel*>()) {
        label->setMouseTracking(true);  // moves over the labels reach the box
    }
}

int TAboutForm::Execute() {
    ShowFace(0);
    return exec();
}

void TAboutForm::ShowFace(int face) {
    face_ = face;
    Image1->setPixmap(ImageList1[static_cast<size_t>(face)]);
}

bool TAboutForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched != Image1) {
        return QDialog::eventFilter(watched, event);
    }
    switch (event->type()) {
        case QEvent::MouseMove:
            if (face_ == 0) {
                ShowFace(2);
            }
            return true;
        case QEvent::Leave:
            if (face_ == 2) {
                ShowFace(0);
            }
            return false;
        case QEvent::MouseButtonPress:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                ShowFace(1);
            }
            return true;
        case QEvent::MouseButtonRelease: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton || face_ != 1) {
                return true;
            }
            ShowFace(0);
            // A press dragged off the button and let go there does not close the box.
            if (Image1->rect().contains(mouse->position().toPoint())) {
                accept();
            }
            return true;
        }
        default:
            return false;
    }
}

void TAboutForm::mouseMoveEvent(QMouseEvent* event) {
    if (face_ == 2) {
        ShowFace(0);
    }
    QDialog::mouseMoveEvent(event);
}

void TAboutForm::showEvent(QShowEvent* event) {
    QWidget* main = parentWidget();
    if (main != nullptr) {
        const QRect frame = main->frameGeometry();
        const QScreen* screen = main->screen() ? main->screen() : QGuiApplication::primaryScreen();
        const QRect free = screen ? screen->availableGeometry() : QRect(0, 0, 1 << 16, 1 << 16);
        const WindowRect at = PlaceAboutBox(
            {frame.left(), frame.top(), frame.width(), frame.height()}, frameGeometry().width(),
            frameGeometry().height(), {free.left(), free.top(), free.width(), free.height()});
        move(at.left, at.top);
    }
    QDialog::showEvent(event);
}

}  // namespace vantrel
