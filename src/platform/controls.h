// The retained controls: plain objects with the properties the game reads and
// writes. A write that changes a property tells the control's observer (the
// view that draws it, or the platform's frame clock), so the game never asks
// for a repaint.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace rallo {

class Observable;

class Observer {
public:
    virtual ~Observer() = default;
    virtual void Changed(Observable& source) = 0;
};

class Observable {
public:
    Observable() = default;
    Observable(const Observable&) = delete;
    Observable& operator=(const Observable&) = delete;
    virtual ~Observable() = default;

    void SetObserver(Observer* observer) { observer_ = observer; }
    void Notify() {
        if (observer_) observer_->Changed(*this);
    }

private:
    Observer* observer_ = nullptr;
};

// A property that notifies its owner when a write changes it.
template <typename T>
class Property {
public:
    Property(Observable* owner, T value) : owner_(owner), value_(std::move(value)) {}
    Property(const Property&) = delete;

    Property& operator=(const T& value) {
        if (!(value == value_)) {
            value_ = value;
            owner_->Notify();
        }
        return *this;
    }
    Property& operator=(const Property& other) { return *this = other.value_; }
    operator const T&() const { return value_; }  // NOLINT: reads like the plain value
    const T& get() const { return value_; }

private:
    Observable* owner_;
    T value_;
};

using Color = std::uint32_t;  // 0x00BBGGRR
inline constexpr Color kBlue = 0x00FF0000;
inline constexpr Color kWhite = 0x00FFFFFF;
inline constexpr Color kYellow = 0x0000FFFF;
inline constexpr Color kBlack = 0x00000000;

enum class ControlKind { Shape, Label, Button, TextBox };

// What every placed control has: a name, a box in twips and a visibility.
class Control : public Observable {
public:
    Control(ControlKind kind, std::string name, float left, float top, float width, float height,
            bool visible = true)
        : kind(kind),
          name(std::move(name)),
          Left(this, left),
          Top(this, top),
          Width(this, width),
          Height(this, height),
          Visible(this, visible) {}

    const ControlKind kind;
    const std::string name;
    Property<float> Left;
    Property<float> Top;
    Property<float> Width;
    Property<float> Height;
    Property<bool> Visible;
};

enum class ShapeKind { Rectangle, Circle };

class Shape : public Control {
public:
    Shape(std::string name, ShapeKind shape, float left, float top, float width, float height,
          Color fill, bool visible = true)
        : Control(ControlKind::Shape, std::move(name), left, top, width, height, visible),
          shape(shape),
          FillColor(fill) {}

    const ShapeKind shape;
    const Color FillColor;  // solid fill, default thin black outline
};

enum class Alignment { Left, Center };

struct LabelStyle {
    bool systemColors = false;  // the toolkit's own label colours instead of BackColor/ForeColor
    Color BackColor = kBlue;
    Color ForeColor = kWhite;
    Alignment alignment = Alignment::Left;
    bool border = false;   // single-line border
    std::string fontName;  // empty: the window's default font
    int fontSize = 0;
    bool fontBold = false;
};

class Label : public Control {
public:
    Label(std::string name, float left, float top, float width, float height, std::string caption,
          LabelStyle style, bool visible = true)
        : Control(ControlKind::Label, std::move(name), left, top, width, height, visible),
          Caption(this, std::move(caption)),
          style(std::move(style)) {}

    Property<std::string> Caption;
    const LabelStyle style;
};

class Button : public Control {
public:
    Button(std::string name, float left, float top, float width, float height, std::string caption)
        : Control(ControlKind::Button, std::move(name), left, top, width, height),
          Caption(this, std::move(caption)) {}

    Property<std::string> Caption;
    std::function<void()> Click;  // set by the window that owns the button
};

class TextBox : public Control {
public:
    TextBox(std::string name, float left, float top, float width, float height, std::string text)
        : Control(ControlKind::TextBox, std::move(name), left, top, width, height),
          Text(this, std::move(text)) {}

    Property<std::string> Text;
};

// A menu item; items with children open a submenu.
class MenuItem : public Observable {
public:
    MenuItem(std::string name, std::string caption, bool checked = false, bool enabled = true)
        : name(std::move(name)),
          Caption(this, std::move(caption)),
          Checked(this, checked),
          Enabled(this, enabled) {}

    void Add(MenuItem& child) {
        child.parent = this;
        children.push_back(&child);
    }
    // An item can be chosen only when it and every menu above it are enabled.
    bool Reachable() const { return Enabled && (parent == nullptr || parent->Reachable()); }

    const std::string name;
    Property<std::string> Caption;
    Property<bool> Checked;
    Property<bool> Enabled;
    MenuItem* parent = nullptr;
    std::vector<MenuItem*> children;
    std::function<void()> Click;  // set by the window for items without children
};

// The frame timer. Interval 0 stops it; any other value runs it on the
// platform's frame schedule.
class Timer : public Observable {
public:
    Timer(std::string name, int interval) : name(std::move(name)), Interval(this, interval) {}

    const std::string name;
    Property<int> Interval;
};

// What a window is to the desktop: the program's main window, or a dialog
// that a title-bar close or Escape cancels.
enum class WindowRole { Main, Dialog };

// A top-level window. Left, Top, Width, Height are its outer box in twips.
class Window : public Observable {
public:
    Window(std::string name, std::string caption, float clientWidth, float clientHeight,
           Color backColor, WindowRole role = WindowRole::Main)
        : name(std::move(name)),
          Caption(this, std::move(caption)),
          Left(this, 0),
          Top(this, 0),
          Width(this, clientWidth),
          Height(this, clientHeight),
          Visible(this, false),
          clientWidth(clientWidth),
          clientHeight(clientHeight),
          BackColor(backColor),
          role(role) {}

    // One move that keeps the size.
    void Move(float left, float top) {
        moving_ = true;
        Left = left;
        Top = top;
        moving_ = false;
        Notify();
    }
    bool moving() const { return moving_; }

    // The window's control of that kind and name, or nullptr.
    const Control* ControlNamed(ControlKind kind, std::string_view controlName) const {
        for (const Control* control : controls) {
            if (control->kind == kind && control->name == controlName) return control;
        }
        return nullptr;
    }

    const std::string name;
    Property<std::string> Caption;
    Property<float> Left;
    Property<float> Top;
    Property<float> Width;
    Property<float> Height;
    Property<bool> Visible;
    const float clientWidth;  // designed client area
    const float clientHeight;
    const Color BackColor;
    const WindowRole role;

    std::vector<Control*> controls;  // in drawing order, back to front
    std::vector<MenuItem*> menuBar;
    std::vector<Timer*> timers;

private:
    bool moving_ = false;
};

}  // namespace rallo
