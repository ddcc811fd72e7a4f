#pragma once

#include "apps/AMAppItem.h"
#include "kit/ToolPage.h"

#include <QList>

class ApplicationCatalogue;
class ApplicationListModel;
class ImageButton;
class QLabel;
class QLineEdit;
class QModelIndex;
class QTableView;

// The "Applications" tab: every installed application, sorted by name, searchable, opened by a
// click on its row (0.3 s later) or on its run button. The scan starts when the tab is made;
// rows arrive in sorted batches while it runs, and the search field is enabled when it ends.
// A launch runs on a worker; a failure is shown below the list (the tab's notice).
// Keyboard: Enter in the search field opens the first row; Enter or Space opens the current row.
class ApplicationsViewController : public ToolPage {
    Q_OBJECT
public:
    explicit ApplicationsViewController(QWidget* parent = nullptr);

    void getApplications();
    void searchBarAction();
    void closeButtonAction();
    // Opens the application last clicked, else the one of row selectIndex().
    void openApp();
    void openItemsAction();

    const QList<AMAppItem>& allApplications() const { return m_allApplications; }
    const QList<AMAppItem>& oldAllApplications() const { return m_oldAllApplications; }
    int selectIndex() const { return m_selectIndex; }
    QLineEdit* textField() const { return m_textField; }
    ImageButton* closeBut() const { return m_closeBut; }
    QTableView* listTableView() const { return m_listTableView; }
    QLabel* messageLabel() const { return noticeLabel(); }

Q_SIGNALS:
    void scanFinished();
    // After each launch attempt; error is empty on success.
    void launchFinished(const QString& path, const QString& error);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Opens the row as its run button does.
    void openRow(int row);
    void addBatch(const QList<AMAppItem>& items);
    void finishScan();
    void rowClicked(const QModelIndex& index);
    void launch(const QString& path);
    void showRows();

    ApplicationCatalogue* m_catalogue = nullptr;
    ApplicationListModel* m_model = nullptr;
    QList<AMAppItem> m_allApplications;
    QList<AMAppItem> m_oldAllApplications;
    int m_selectIndex = -1;
    QString m_clickedPath;
    QLineEdit* m_textField = nullptr;
    ImageButton* m_closeBut = nullptr;
    QTableView* m_listTableView = nullptr;
};
