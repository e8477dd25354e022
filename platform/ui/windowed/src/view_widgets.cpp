// The widgets of a model's window, one class a kind of control. Each shows
// the control's state as the view gives it and reports what the person does
// to it as an action on the window; none changes anything by itself that the
// next update would not show again from the model.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Menu_Button.H>
#include <FL/Fl_Multi_Label.H>
#include <FL/Fl_Round_Button.H>
#include <FL/fl_draw.H>

#include "key_actions.h"
#include "text.h"
#include "view_window.h"

namespace ui::windowed {
namespace {

using Kind = ViewControl::Kind;

void Emit(Fl_Widget* widget, ControlAction action) {
  if (auto* window = dynamic_cast<ViewWindow*>(widget->window())) window->emit(std::move(action));
}

// Label text only when it changed: FLTK copies it and redraws.
void SetLabel(Fl_Widget* widget, const std::string& ansi) {
  const std::string text = LabelText(ansi);
  if (widget->label() && text == widget->label()) return;
  widget->copy_label(text.c_str());
  widget->redraw();
}

Fl_Color ColourOf(long bgr) {
  return fl_rgb_color(static_cast<uchar>(bgr & 0xFF), static_cast<uchar>((bgr >> 8) & 0xFF),
                      static_cast<uchar>((bgr >> 16) & 0xFF));
}

// Place, enabled and visible state and tooltip, as every control has them.
void ShowCommon(Fl_Widget* widget, const ViewControl& c) {
  if (widget->x() != c.rect.left || widget->y() != c.rect.top || widget->w() != c.rect.width() ||
      widget->h() != c.rect.height())
    widget->resize(c.rect.left, c.rect.top, c.rect.width(), c.rect.height());
  if (c.enabled != (widget->active() != 0)) c.enabled ? widget->activate() : widget->deactivate();
  if (c.visible != (widget->visible() != 0)) c.visible ? widget->show() : widget->hide();
  const std::string tip = Utf8FromAnsi(c.tooltip);
  if (tip != (widget->tooltip() ? widget->tooltip() : "")) widget->copy_tooltip(tip.empty() ? nullptr : tip.c_str());
  widget->labelsize(kFontSize);
}

// Keys pressed in the control go to the window, which plays them on the
// model's focused control.
template <class Base>
class Keyless : public Base {
 public:
  Keyless(const ViewControl& c) : Base(c.rect.left, c.rect.top, c.rect.width(), c.rect.height()) {}
  int handle(int event) override { return event == FL_KEYBOARD ? 0 : Base::handle(event); }
};

class ButtonWidget : public ControlWidget, public Keyless<Fl_Button> {
 public:
  explicit ButtonWidget(const ViewControl& c) : Keyless(c), name_(c.name) {
    callback([](Fl_Widget* w, void*) { Emit(w, {"click", {static_cast<ButtonWidget*>(w)->name_}}); });
  }
  Fl_Widget* widget() override { return this; }
  void show(const ViewControl& c, ViewWindow& window) override {
    ShowCommon(this, c);
    isDefault_ = c.isDefault;
    // A button with a picture shows the picture only.
    Fl_Image* picture = c.picture.empty() ? nullptr : window.pictures().image(c.picture, w() - 6, h() - 6, false);
    if (picture != image()) image(picture), redraw();
    SetLabel(this, picture ? "" : c.text);
  }

 protected:
  void draw() override {
    Keyless::draw();
    if (!isDefault_) return;
    fl_color(FL_BLACK);
    fl_rect(x(), y(), w(), h());
  }

 private:
  std::string name_;
  bool isDefault_ = false;
};

template <class Base>
class CheckWidget : public ControlWidget, public Keyless<Base> {
 public:
  explicit CheckWidget(const ViewControl& c) : Keyless<Base>(c), name_(c.name) {
    this->when(FL_WHEN_RELEASE_ALWAYS);
    this->callback([](Fl_Widget* w, void*) { Emit(w, {"click", {static_cast<CheckWidget*>(w)->name_}}); });
  }
  Fl_Widget* widget() override { return this; }
  void show(const ViewControl& c, ViewWindow&) override {
    ShowCommon(this, c);
    SetLabel(this, c.text);
    this->value(c.checked != 0);
    this->selection_color(c.checked == 2 ? FL_DARK3 : FL_FOREGROUND_COLOR);  // indeterminate: grey
    this->redraw();
  }

 private:
  std::string name_;
};

// A group box: a frame with its caption over the top line.
class GroupBoxWidget : public ControlWidget, public Fl_Box {
 public:
  explicit GroupBoxWidget(const ViewControl& c) : Fl_Box(c.rect.left, c.rect.top, c.rect.width(), c.rect.height()) {
    box(FL_NO_BOX);
  }
  Fl_Widget* widget() override { return this; }
  void show(const ViewControl& c, ViewWindow&) override {
    ShowCommon(this, c);
    SetLabel(this, c.text);
  }

 protected:
  void draw() override {
    fl_font(labelfont(), labelsize());
    const int textHeight = fl_height();
    draw_box(FL_ENGRAVED_FRAME, x(), y() + textHeight / 2, w(), h() - textHeight / 2, color());
    if (!label() || !*label()) return;
    int textWidth = 0, height = 0;
    measure_label(textWidth, height);
    fl_color(color());
    fl_rectf(x() + 6, y(), textWidth + 4, textHeight);
    draw_label(x() + 8, y(), textWidth, textHeight, FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
  }
};

class LabelWidget : public ControlWidget, public Fl_Box {
 public:
  explicit LabelWidget(const ViewControl& c) : Fl_Box(c.rect.left, c.rect.top, c.rect.width(), c.rect.height()) {
    box(FL_NO_BOX);
    const Fl_Align side = c.align == ViewControl::Align::Centre ? FL_ALIGN_CENTER
                          : c.align == ViewControl::Align::Right ? FL_ALIGN_RIGHT
                                                                  : FL_ALIGN_LEFT;
    align(side | FL_ALIGN_TOP | FL_ALIGN_INSIDE | FL_ALIGN_WRAP);
  }
  Fl_Widget* widget() override { return this; }
  void show(const ViewControl& c, ViewWindow&) override {
    ShowCommon(this, c);
    SetLabel(this, c.text);
  }
};

// A picture of the resources at the control's top left corner, stretched
// when the control says so; a picture file centred, shrunk to fit.
class PictureWidget : public ControlWidget, public Fl_Box {
 public:
  explicit PictureWidget(const ViewControl& c) : Fl_Box(c.rect.left, c.rect.top, c.rect.width(), c.rect.height()) {
    box(FL_NO_BOX);
  }
  Fl_Widget* widget() override { return this; }
  void show(const ViewControl& c, ViewWindow& window) override {
    ShowCommon(this, c);
    centred_ = !c.pictureFile.empty();
    Fl_Image* picture = centred_ ? window.pictures().file(c.pictureFile, w(), h())
                                 : window.pictures().image(c.picture, w(), h(), c.stretch);
    if (picture != picture_) picture_ = picture, redraw();
    SetLabel(this, picture ? "" : c.text);
    align(FL_ALIGN_CENTER | FL_ALIGN_INSIDE | FL_ALIGN_WRAP);
  }

 protected:
  void draw() override {
    if (!picture_) return Fl_Box::draw();
    const int left = centred_ ? x() + (w() - picture_->w()) / 2 : x();
    const int top = centred_ ? y() + (h() - picture_->h()) / 2 : y();
    picture_->draw(left, top);
  }

 private:
  Fl_Image* picture_ = nullptr;
  bool centred_ = false;
};

// An edit. Typed one by one, its keys go to the window and a mouse press
// reaches the model as a press at its point; otherwise it is edited here and
// its whole text goes to the model as it changes.
class EditWidget : public ControlWidget, public Fl_Input {
 public:
  EditWidget(const ViewControl& c, bool keysOneByOne)
      : Fl_Input(c.rect.left, c.rect.top, c.rect.width(), c.rect.height()), name_(c.name), oneByOne_(keysOneByOne) {
    textsize(kFontSize);
    if (!oneByOne_) {
      when(FL_WHEN_RELEASE);  // when the focus leaves it, or Enter is pressed (the window's keys)
      callback([](Fl_Widget* w, void*) {
        auto* edit = static_cast<EditWidget*>(w);
        Emit(w, {"set", {edit->name_, AnsiFromUtf8(edit->value())}});
      });
    }
  }
  Fl_Widget* widget() override { return this; }
  void show(const ViewControl& c, ViewWindow&) override {
    ShowCommon(this, c);
    const std::string text = Utf8FromAnsi(c.text);
    if (text != value()) value(text.c_str());
    if (oneByOne_) position(size());  // the caret stands at the end
    readonly(c.readOnly);
    color(c.background >= 0 ? ColourOf(c.background) : c.readOnly ? FL_BACKGROUND_COLOR : FL_BACKGROUND2_COLOR);
  }
  int handle(int event) override {
    if (!oneByOne_) return Fl_Input::handle(event);
    if (event == FL_KEYBOARD) return 0;
    if (event == FL_PASTE) {
      const std::string text = AnsiFromUtf8(Fl::event_text() ? Fl::event_text() : "");
      if (!text.empty()) Emit(this, {"type", {name_, text}});
      return 1;
    }
    if (event == FL_PUSH && Fl::event_button() == FL_LEFT_MOUSE)
      Emit(this, {"mouse", {std::to_string(Fl::event_x()), std::to_string(Fl::event_y())}});
    return Fl_Input::handle(event);
  }

 private:
  std::string name_;
  bool oneByOne_;
};

// The entries of a list as menu items, with their images before the text.
class MenuItems {
 public:
  // True when the entries changed and the items were made again.
  bool set(const ViewControl& c, ViewWindow& window) {
    if (c.items.size() == shown_.size() &&
        std::equal(c.items.begin(), c.items.end(), shown_.begin(), [](const ViewItem& a, const ViewItem& b) {
          return a.text == b.text && a.image == b.image;
        }))
      return false;
    shown_ = c.items;
    texts_.clear();
    labels_.assign(c.items.size(), Fl_Multi_Label{});
    items_.assign(c.items.size() + 1, Fl_Menu_Item{});
    for (const ViewItem& item : c.items) texts_.push_back(LabelText(item.text));
    for (size_t i = 0; i < c.items.size(); ++i) {
      items_[i].text = texts_[i].c_str();
      items_[i].labelsize_ = kFontSize;
      const int image = c.items[i].image;
      Fl_Image* picture = image >= 0 && image < static_cast<int>(c.images.size())
                              ? window.pictures().image(c.images[image], c.images[image].width,
                                                        c.images[image].height, true)
                              : nullptr;
      if (!picture) continue;
      Fl_Menu_Item unused{};
      picture->label(&unused);  // makes FLTK draw image labels
      labels_[i].labela = reinterpret_cast<const char*>(picture);
      labels_[i].typea = _FL_IMAGE_LABEL;
      labels_[i].labelb = texts_[i].c_str();
      labels_[i].typeb = FL_NORMAL_LABEL;
      labels_[i].label(&items_[i]);
    }
    return true;
  }
  const Fl_Menu_Item* items() const { return items_.data(); }

 private:
  std::vector<ViewItem> shown_;
  std::vector<std::string> texts_;
  std::vector<Fl_Multi_Label> labels_;
  std::vector<Fl_Menu_Item> items_;
};

class DropDownListWidget : public ControlWidget, public Keyless<Fl_Choice> {
 public:
  explicit DropDownListWidget(const ViewControl& c) : Keyless(c) {
    textsize(kFontSize);
    callback([](Fl_Widget* w, void*) {
      auto* list = static_cast<DropDownListWidget*>(w);
      if (list->value() >= 0 && list->value() < static_cast<int>(list->shown_.items.size()))
        Emit(w, SelectAction(list->shown_, list->value()));
    });
  }
  Fl_Widget* widget() override { return this; }
  void show(const ViewControl& c, ViewWindow& window) override {
    ShowCommon(this, c);
    shown_ = c;
    color(c.background >= 0 ? ColourOf(c.background) : FL_BACKGROUND_COLOR);
    if (items_.set(c, window)) menu(items_.items());
    if (c.selection >= 0 && c.selection < static_cast<int>(c.items.size())) value(c.selection);
    else value(static_cast<const Fl_Menu_Item*>(nullptr));
    redraw();
  }

 private:
  ViewControl shown_;
  MenuItems items_;
};

// An edit with a list: typed into like an edit, or an entry chosen from the
// button beside it.
class ComboBoxWidget : public ControlWidget, public Fl_Group {
 public:
  ComboBoxWidget(const ViewControl& c, bool keysOneByOne)
      : Fl_Group(c.rect.left, c.rect.top, c.rect.width(), c.rect.height()) {
    const int button = std::min(17, c.rect.width() / 2);
    edit_ = new EditWidget(EditPart(c, button), keysOneByOne);
    list_ = new Keyless<Fl_Menu_Button>(ButtonPart(c, button));
    list_->label("@-22>");
    list_->callback([](Fl_Widget* w, void*) {
      auto* combo = static_cast<ComboBoxWidget*>(w->parent());
      const int chosen = static_cast<Fl_Menu_Button*>(w)->value();
      if (chosen >= 0 && chosen < static_cast<int>(combo->shown_.items.size()))
        Emit(w, SelectAction(combo->shown_, chosen));
    });
    end();
    resizable(edit_);
  }
  Fl_Widget* widget() override { return this; }
  void show(const ViewControl& c, ViewWindow& window) override {
    shown_ = c;
    const int button = std::min(17, c.rect.width() / 2);
    ShowCommon(this, c);
    edit_->show(EditPart(c, button), window);
    if (items_.set(c, window)) list_->menu(items_.items());
  }

 private:
  static ViewControl EditPart(ViewControl c, int button) {
    c.rect.right -= button;
    c.tooltip.clear();
    c.enabled = c.visible = true;  // the group's own state covers both parts
    return c;
  }
  static ViewControl ButtonPart(const ViewControl& c, int button) {
    ViewControl part;
    part.rect = {c.rect.right - button, c.rect.top, c.rect.right, c.rect.bottom};
    return part;
  }

  ViewControl shown_;
  EditWidget* edit_ = nullptr;
  Fl_Menu_Button* list_ = nullptr;
  MenuItems items_;
};

// A list box; entries with a colour show its swatch before the text.
class ListWidget : public ControlWidget, public Fl_Hold_Browser {
 public:
  explicit ListWidget(const ViewControl& c)
      : Fl_Hold_Browser(c.rect.left, c.rect.top, c.rect.width(), c.rect.height()) {
    format_char(0);
    textsize(kFontSize);
    when(FL_WHEN_CHANGED);
    callback([](Fl_Widget* w, void*) {
      auto* list = static_cast<ListWidget*>(w);
      const int chosen = list->value() - 1;
      if (chosen >= 0 && chosen < static_cast<int>(list->shown_.items.size()))
        Emit(w, SelectAction(list->shown_, chosen));
    });
  }
  Fl_Widget* widget() override { return this; }
  void show(const ViewControl& c, ViewWindow& window) override {
    ShowCommon(this, c);
    const bool same = c.items.size() == shown_.items.size() &&
                      std::equal(c.items.begin(), c.items.end(), shown_.items.begin(),
                                 [](const ViewItem& a, const ViewItem& b) {
                                   return a.text == b.text && a.colour == b.colour;
                                 });
    shown_ = c;
    if (!same) {
      clear();
      for (const ViewItem& item : c.items) {
        add(Utf8FromAnsi(item.text).c_str());
        if (item.colour >= 0) icon(size(), window.pictures().swatch(item.colour, kFontSize + 1));
      }
    }
    if (value() != c.selection + 1) value(c.selection + 1);
  }

 private:
  ViewControl shown_;
};

// Paints the program's fills under the controls.
class FillLayer : public Fl_Box {
 public:
  explicit FillLayer(ViewWindow& window) : Fl_Box(0, 0, window.w(), window.h()), window_(window) { box(FL_NO_BOX); }

 protected:
  void draw() override {
    for (const PaintedFill& fill : window_.view().fills) {
      fl_color(static_cast<uchar>(fill.colour & 0xFF), static_cast<uchar>((fill.colour >> 8) & 0xFF),
               static_cast<uchar>((fill.colour >> 16) & 0xFF));
      fl_rectf(fill.rect.left, fill.rect.top, fill.rect.width(), fill.rect.height());
    }
  }

 private:
  ViewWindow& window_;
};

}  // namespace

ControlWidget* MakeControlWidget(const ViewControl& c, const WindowView& view) {
  switch (c.kind) {
    case Kind::PushButton: return new ButtonWidget(c);
    case Kind::CheckBox: return new CheckWidget<Fl_Check_Button>(c);
    case Kind::RadioButton: return new CheckWidget<Fl_Round_Button>(c);
    case Kind::GroupBox: return new GroupBoxWidget(c);
    case Kind::Label: return new LabelWidget(c);
    case Kind::Picture: return new PictureWidget(c);
    case Kind::Edit: return new EditWidget(c, view.keysOneByOne);
    case Kind::ComboBox: return new ComboBoxWidget(c, view.keysOneByOne);
    case Kind::DropDownList: return new DropDownListWidget(c);
    case Kind::List: return new ListWidget(c);
  }
  return new LabelWidget(c);
}

Fl_Widget* MakeFillLayer(ViewWindow& window) { return new FillLayer(window); }

}  // namespace ui::windowed
