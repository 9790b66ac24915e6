#pragma once
// The about box: the logo, the program's name, version and maker, and the system it runs on.
// Its picture button shows face 2 while the mouse is over it, face 1 while pressed, and
// closes the box when released over it.
// Thread rule: GUI thread only.

#include <QDialog>
#include <QPixmap>
#include <array>

#include "dialogs/about_text.h"
#include "dialogs/system_probe.h"

class QFrame;
class QLabel;

namespace vantrel {

class TAboutForm : public QDialog {
    Q_OBJECT
public:
    TAboutForm(const VersionValues& version, const SystemLines& system, QWidget* parent);

    // Shows the box modally at its place beside the parent; returns when it is closed.
    int Execute();
    // The face `Image1` shows: 0 normal, 1 pressed, 2 hover.
    int Image1Face() const { return face_; }

    QLabel* Image2;
    QLabel* ProgramIcon;
    QLabel* ProductName;
    QLabel* Version;
    QLabel* CompanyName;
    QLabel* Comments;
    QFrame* Panel1;
    QLabel* WinVersion;
    QLabel* Memory;
    QLabel* ParallelPort;
    QLabel* Image1;
    std::array<QPixmap, 3> ImageList1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls();
    void ShowFace(int face);

    int face_ = 0;
};

}  // namespace vantrel
