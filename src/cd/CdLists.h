#pragma once

#include <QObject>
#include <QStringList>

namespace sondex {

// The captions of the buttons that make a list the selection list; `Label7` names the list by them.
inline const QString kRegisteredListCaption = QStringLiteral("登録ﾘｽﾄ");
inline const QString kSearchListCaption = QStringLiteral("ｻｰﾁﾘｽﾄ");

// The three lists of CD play entries: the registered list (`ListBox1`, kept
// in the registered list file from run to run), the search list (`ListBox2`,
// filled by the CD searches and by CD track files) and the selection list
// (`ComboBox1`), a copy of one of the two that the sequencer walks through,
// with its selected entry. The panels show what they read here.
class CdLists : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // The registered list file: one entry per line. A missing or unreadable
    // file leaves the list empty, and lines that are no play entry (garbage,
    // over-long lines) are passed over; neither says anything.
    void loadRegistered(const QString& path);
    // Never says anything either: a list that cannot be written stays unsaved.
    bool saveRegistered(const QString& path) const;

    const QStringList& registered() const { return registered_; }
    const QStringList& search() const { return search_; }
    const QStringList& selection() const { return selection_; }
    // `Label7`: the caption of the button the selection list was copied by, and "：".
    const QString& selectionSource() const { return source_; }
    // The selected entry of the selection list; -1 for none.
    int selectedEntry() const { return selected_; }
    QString selectedText() const { return selected_ >= 0 ? selection_[selected_] : QString(); }

    void clearSearch();
    // Adds an entry to the end of the search list; its index.
    int appendSearch(const QString& entry);

    // `Button3`: the search entries at these rows, in list order, go to the
    // end of the registered list (duplicates allowed). Returns whether any did.
    bool copyToRegistered(QList<int> searchRows);
    // `Button_DEL`: the registered entries at these rows move, in list order,
    // to the end of the search list.
    void moveToSearch(QList<int> registeredRows);
    // `Button_ALLDEL`.
    void moveAllToSearch();
    // `Button5` (up, -1) and `Button6` (down, +1): the selected entries land
    // together, in their order, one place above (below) the topmost of them.
    // Returns the rows selected afterwards.
    QList<int> moveRegistered(QList<int> rows, int direction);

    enum class Source { Registered, Search };
    // `Button10` and `Button11`: the selection list becomes a copy of the
    // list, its first entry selected, and `Label7` reads `caption` + "：".
    void useAsSelection(Source source, const QString& caption);
    // Selects an entry of the selection list (-1 for none; out of range is ignored).
    void selectEntry(int index);

signals:
    void registeredChanged();
    void searchChanged();
    // The selection list's entries or its source label changed.
    void selectionChanged();
    void selectedEntryChanged(int index);

private:
    QStringList registered_;
    QStringList search_;
    QStringList selection_;
    QString source_;
    int selected_ = -1;
};

}  // namespace sondex
