#pragma once

#include <QList>
#include <QMainWindow>
#include <QRect>
#include <QSize>

#include <map>
#include <vector>

class CChildFrame;
class CSettingsStore;
class CZentrimaApp;
class QAction;
class QKeyEvent;
class QMdiArea;
class QMenu;

/// The main window: the analysis windows in its multiple-document area, the menus (the
/// short set while no analysis window is open, the full set while one is) and the
/// keyboard accelerators. A command from a menu, an accelerator or the step tool bar runs
/// only when its state rule enables it, and goes first to the active analysis window (its
/// view, then the window) and then to the application. The window remembers its placement
/// in the settings.
class CMainFrame : public QMainWindow
{
    Q_OBJECT

public:
    /// app answers the application commands (about, help, web); may be null.
    explicit CMainFrame(CZentrimaApp* app = nullptr, QWidget* parent = nullptr);
    /// Writes the placement to the settings.
    ~CMainFrame() override;

    QMdiArea* mdiArea() const { return m_mdiArea; }
    /// The analysis window that commands go to, or null.
    CChildFrame* activeChildFrame() const;
    QList<CChildFrame*> childFrames() const;

    /// A new, not yet shown analysis window: as large as the active one's normal size, or
    /// filling the window area when none is active.
    CChildFrame* createChildFrame();
    /// The New command: a new analysis window, maximised as the active one is (or as the
    /// last closed one was), in step 1. Null when it could not be made.
    CChildFrame* openNewWindow();

    /// Runs command id unless its state rule disables it. target: the analysis window the
    /// command comes from (its tool bar), or null for the active one.
    void runCommand(int id, CChildFrame* target = nullptr);
    bool commandEnabled(int id, CChildFrame* target = nullptr) const;
    /// Runs one of the application's commands (new window, exit, arrangement, about, help,
    /// web); false when id is none of them.
    bool runApplicationCommand(int id);

    /// Brings the menu items' enabled, checked and text states in line with the rules.
    void updateCommandStates();
    /// The menu item of command id in the menus now shown (the first one), or null.
    QAction* menuAction(int id) const;
    /// True while the full menus (an analysis window is open) are shown.
    bool showsAnalysisMenus() const { return m_analysisMenus; }
    /// The Window menu of the full menus; below its commands it lists the open analysis
    /// windows ("&1 Analysis 1: ..."), the active one checked, brought up to date each time
    /// it opens.
    QMenu* windowMenu() const { return m_windowMenu; }
    /// Brings the Window menu's list of analysis windows up to date.
    void updateWindowList();

    /// View > Exact Distributions: stores the choice and recomputes the page of every open
    /// analysis window by the exact (true) or the written (false) method.
    void setExactDistributions(bool exact);

    /// Brings the window to the front, restoring it when it is minimised.
    void raiseAndRestore();

    /// Where the window opens on a screen whose available area is area. With nothing stored,
    /// four fifths of the area each way, at least least and 800 x 600, centred. Otherwise the
    /// stored placement clamped to the area: at least 800 x 600 but no larger than the
    /// area; a stored left or top beyond nine tenths of the area is centred, a negative one
    /// becomes 0.
    static QRect initialPlacement(const CSettingsStore& settings, const QRect& area,
                                  const QSize& least = QSize());
    /// The smallest size at which an analysis window's step tool bar shows every button.
    QSize wholeToolBarSize() const;
    /// Writes the show state ("MainWindow": 1 normal, 3 maximised) and the normal geometry.
    void savePlacement() const;

    /// The help topic F1 opens in an analysis window in step (1 to 4) with that goal and
    /// design: what the program does in step 1, the form's "Help me decide" page in step 2
    /// of a sample-size design, otherwise the tutorial of the goal.
    static int stepHelpTopic(int step, int goal, int design);
    /// F1: the help of the active analysis window's step, the contents without one.
    void showStepHelp();

    /// The text-size command that key asks for (Ctrl with + or - of the keypad or the main
    /// keyboard, or Ctrl+=), 0 for any other key.
    static int zoomCommandFor(const QKeyEvent& key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct MenuItem
    {
        unsigned int text; // 0: separator
        int command;
    };
    static constexpr MenuItem Separator{0, 0};
    QMenu* buildMenu(unsigned int title, const std::vector<MenuItem>& items,
                     std::vector<QAction*>& actions);
    // Both menu bars: the short one (File, Help) without an analysis, the full one with.
    void buildMenus();
    QMenu* createHelpMenu();
    QMenu* createShortFileMenu();
    QMenu* createFileMenu();
    QMenu* createEditMenu();
    QMenu* createViewMenu();
    QMenu* createWindowMenu();
    void buildAccelerators();
    void updateMenuBar();
    // Brings every analysis window that reaches past the window area back inside it.
    void keepWindowsInArea();
    bool isApplicationCommand(int id) const;

    CZentrimaApp* m_app;
    QMdiArea* m_mdiArea;
    bool m_analysisMenus = false;
    QList<QMenu*> m_shortMenus;
    QList<QMenu*> m_analysisMenuList;
    std::vector<QAction*> m_shortActions;
    std::vector<QAction*> m_analysisActions;
    std::vector<QAction*> m_helpActions;
    QMenu* m_windowMenu = nullptr;
    QList<QAction*> m_windowListActions;
};
