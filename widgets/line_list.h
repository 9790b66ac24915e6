#pragma once
// A read-only list of text lines that keeps the newest `maxLines`, dropping the oldest. It
// lays out only the lines in view, so taking in hundreds of lines at once costs little where
// a text box lays out every line it is given. Selected lines are copied with the copy key.
// Thread rule: GUI thread only.

#include <QListView>
#include <QStringList>

namespace vantrel {

class LineList final : public QListView {
public:
    LineList(int maxLines, QWidget* parent);

    // Appends `lines` (older ones first). The view follows the new lines when it showed the
    // last line before, and otherwise stays where it was.
    void AppendLines(const QStringList& lines);
    void Clear();

    int LineCount() const;
    // The lines joined with "\n".
    QString toPlainText() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    class Model;
    Model* model_;
};

}  // namespace vantrel
