#pragma once
// The options dialog on the offscreen platform over a settings file in a temporary folder,
// with the scripted operator dialogs and a record of every set of settings it applied.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QtTest/QTest>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/setup_dialog.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

namespace vantrel::test {

class SetupDialogTest : public ::testing::Test {
protected:
    std::filesystem::path IniPath() const { return dir / "Vantrel.ini"; }
    void WriteSetup(const std::string& lines) { WriteBytes(IniPath(), "[Setup]\r\n" + lines); }

    void Open() { Open(IniPath()); }
    void Open(const std::filesystem::path& iniPath) {
        form = std::make_unique<TSetupForm>(
            iniPath, prompter, [this](const SetupSettings& s) { applied.push_back(s); });
    }

    // Runs the dialog modally; `act` runs once it is open and must close it.
    int RunModal(const std::function<void()>& act) {
        bool acted = false;
        QTimer::singleShot(0, form.get(), [&] {
            acted = true;
            act();
        });
        // A dialog that the action failed to close fails the test instead of hanging.
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, form.get(), [this] {
            ADD_FAILURE() << "the dialog is still open";
            form->done(-1);
        });
        guard.start(5000);
        const int result = form->Execute();
        EXPECT_TRUE(acted);
        return result;
    }
    // A key typed where the dialog's focus is.
    void Type(Qt::Key key) {
        QWidget* target = form->focusWidget() ? form->focusWidget() : form.get();
        QTest::keyClick(target, key);
    }

    std::string IniBytes() const { return ReadBytes(IniPath()); }

    TempDir dir;
    ScriptedPrompter prompter;
    std::vector<SetupSettings> applied;
    std::unique_ptr<TSetupForm> form;
};

}  // namespace vantrel::test
