#pragma once
// The program's only window: the controls of the template table, the event
// redirection of the captions and handles, and the About message.

#include <QWidget>

#include <map>
#include <string_view>

#include "moxilo/app/control_table.h"
#include "moxilo/app/event_router.h"
#include "moxilo/app/program_state.h"

class QObject;

namespace moxilo::app {

class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);

    // The control (widget or timer) of the template with this name.
    [[nodiscard]] QObject* control(std::string_view name) const;
    template <typename T>
    [[nodiscard]] T* control(std::string_view name) const {
        return qobject_cast<T*>(control(name));
    }
    // The widget of a control address, or null.
    [[nodiscard]] QWidget* widgetAt(ControlAddress address) const;
    // The address of a control of the template; (0, 0) for anything else.
    [[nodiscard]] ControlAddress addressOf(const QObject* object) const;
    // The handle `左上` + offset (0 to 7).
    [[nodiscard]] QWidget* handle(int offset) const;

    [[nodiscard]] EventRouter& router() { return router_; }
    // Where (in global coordinates) the press being handled happened.
    [[nodiscard]] QPoint pressPosition() const { return pressPosition_; }
    [[nodiscard]] ProgramState& state() { return state_; }

    void showAbout();
    void copyPicture();

signals:
    // A left press on the window's own client area, the picture frame or the picture box.
    void backgroundPressed();
    // A key press addressed to the window itself (no control holds the focus).
    void keyPressed(int key, Qt::KeyboardModifiers modifiers);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void createControls();
    void redirectEvents();
    void keepClientSizeFixed();

    std::map<std::string_view, QObject*> controls_;
    std::map<const QObject*, ControlAddress> addresses_;
    EventRouter router_;
    ProgramState state_;
    QPoint pressPosition_;
};

}  // namespace moxilo::app
