#pragma once

#include "ColorsPage.h"

#include <QDialog>

class ConfigurationPage;
class QListWidget;
class QListWidgetItem;
class QStackedWidget;
class SelectionPage;
class SettingsEditor;
class SettingsPage;

// The preferences dialog: a column of four page icons beside the pages
// "Draw", "Selection", "Settings" and "Colors". The pages start from the
// view's settings; Apply and Ok write them to the view's state, apply them
// to the view and its models and write the settings file, Reload and Reset
// read the file again.
class ConfigDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ConfigDialog(SettingsEditor &editor);

    QListWidget *contents() const { return contentsWidget; }
    QStackedWidget *pages() const { return pagesWidget; }
    ConfigurationPage *configurationPage() const { return Configuration; }
    SelectionPage *selectionPage() const { return Selection; }
    SettingsPage *settingsPage() const { return Settings; }
    ColorsPage *colorsPage() const { return Colors; }

public slots:
    void changePage(QListWidgetItem *current, QListWidgetItem *previous);
    void changeAxisColor();
    void changePointsColor();
    void changeLinesColor();
    void changeBackgroundColor();
    void changeFrontFacesColor();
    void changeBackFacesColor();
    void changeBoundaryEdgesColor();
    void changeSelectionColor();
    void changeClipPlaneColor();
    void changeSelectionEdgesColor();
    void changePointCellNumbersColor();
    void changeIsolinesColor();
    void createIcons();
    void ok_config();
    void reset_config();
    void reload_config();
    void apply_config();

private:
    void layOut();
    void pickColor(ColorsPage::Row row);
    void askLanguage();
    void readPages();

    SettingsEditor &Editor;
    QListWidget *contentsWidget;
    QStackedWidget *pagesWidget;
    ConfigurationPage *Configuration;
    SelectionPage *Selection;
    SettingsPage *Settings;
    ColorsPage *Colors;
};
