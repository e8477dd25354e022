#pragma once
// Dialogs as data and as live models, independent of any toolkit:
// - DialogTemplate: what a module's resource script declares (id, caption,
//   font, size in dialog units, the controls in template order);
// - Dialog: the controls made from a template with their state (text,
//   enabled, visible, read-only, checked, items, selection, image, tooltip),
//   the focus, painting, the events a user's input causes, and the modal run
//   that reads that input from the UI driver and ends with end(result).
// Formats in the transcript: docs/dialogs.md.
#include <memory>
#include <string>
#include <vector>

namespace ui {

struct WindowView;

// The window styles the model interprets, with the values Windows gives them
// (ui includes no platform header).
namespace style {
inline constexpr unsigned kVisible = 0x10000000u;
inline constexpr unsigned kDisabled = 0x08000000u;
inline constexpr unsigned kBorder = 0x00800000u;
inline constexpr unsigned kVScroll = 0x00200000u;
inline constexpr unsigned kGroup = 0x00020000u;
inline constexpr unsigned kTabStop = 0x00010000u;
// "Button": the kind in the low nibble, picture flags above it.
inline constexpr unsigned kButtonKindMask = 0x0Fu;
inline constexpr unsigned kPushButton = 0x0u;
inline constexpr unsigned kDefPushButton = 0x1u;
inline constexpr unsigned kCheckBox = 0x2u;
inline constexpr unsigned kAutoCheckBox = 0x3u;
inline constexpr unsigned kRadioButton = 0x4u;
inline constexpr unsigned k3State = 0x5u;
inline constexpr unsigned kAuto3State = 0x6u;
inline constexpr unsigned kGroupBox = 0x7u;
inline constexpr unsigned kAutoRadioButton = 0x9u;
inline constexpr unsigned kButtonIcon = 0x40u;
inline constexpr unsigned kButtonBitmap = 0x80u;
// "Static": the kind in the low five bits.
inline constexpr unsigned kStaticKindMask = 0x1Fu;
inline constexpr unsigned kStaticIcon = 0x03u;
inline constexpr unsigned kStaticBitmap = 0x0Eu;
// "Edit".
inline constexpr unsigned kEditAutoHScroll = 0x0080u;
inline constexpr unsigned kEditReadOnly = 0x0800u;
// "ComboBox" / "ComboBoxEx32": the kind in the low two bits.
inline constexpr unsigned kComboKindMask = 0x3u;
inline constexpr unsigned kComboSimple = 0x1u;
inline constexpr unsigned kComboDropDown = 0x2u;
inline constexpr unsigned kComboDropDownList = 0x3u;
inline constexpr unsigned kComboSort = 0x0100u;
}  // namespace style

// One control of a template. `id` -1 is a control without id (IDC_STATIC).
// For a static with the bitmap or icon style, `text` names the picture
// resource (its number as text, e.g. "14023").
struct ControlTemplate {
  int id = -1;
  std::string windowClass;  // "Button", "Static", "Edit", "ComboBox", "ComboBoxEx32"
  unsigned style = 0;
  int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
  std::string text;
};

struct DialogTemplate {
  int id = 0;
  std::string caption;
  unsigned style = 0;
  std::string font = "MS Shell Dlg";
  int pointSize = 8;
  int cx = 0, cy = 0;  // dialog units
  std::vector<ControlTemplate> items;
};

// A rectangle in pixels; right and bottom lie just outside it.
struct PixelRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  bool operator==(const PixelRect&) const = default;
};

// Dialog units of "MS Shell Dlg" 8 pt (base units 6 x 13 pixels) to pixels:
// x * 6 / 4 and y * 13 / 8, rounded as MulDiv rounds.
int dialogUnitsToPixelsX(int x);
int dialogUnitsToPixelsY(int y);
PixelRect dialogUnitsToPixels(int x, int y, int cx, int cy);

// A picture a control shows or an image list holds: the resource it came
// from ("bitmap 12019", "icon 5"), its size in pixels and, when known, the
// bytes of its file (BMP, ICO, PNG or JPEG) for a view to paint.
struct Picture {
  std::string name;
  int width = 0, height = 0;
  std::shared_ptr<const std::string> data = nullptr;
  bool empty() const { return name.empty(); }
};

// An entry of a combo box; the images are indexes into the control's image
// list (extended combo boxes), -1 for none.
struct ComboItem {
  std::string text;
  int image = -1;
  int selectedImage = -1;
};

// A filled rectangle of the latest paint, in client pixels; colour 0x00BBGGRR.
struct PaintedFill {
  PixelRect rect;
  unsigned colour = 0;
};

enum class ControlKind { PushButton, CheckBox, RadioButton, GroupBox, Static, Edit, ComboBox, Other };

struct Control {
  int id = -1;
  std::string windowClass;
  unsigned style = 0;
  PixelRect rect;  // client pixels of the dialog
  std::string text;
  bool enabled = true;
  bool visible = true;
  bool readOnly = false;
  int checked = 0;  // 0 unchecked, 1 checked, 2 indeterminate
  std::vector<ComboItem> items;
  int selection = -1;
  Picture image;                   // bitmap or icon shown
  std::vector<Picture> imageList;  // the extended combo box's images
  std::string tooltip;

  ControlKind kind() const;
  bool takesFocus() const;   // a usable control that is not a group box or static
  bool isDefaultButton() const;
};

// What happened in the dialog, as its program learns it.
enum class DialogEventKind {
  Click,             // a button was clicked (also Enter / Escape: see docs)
  TextChanged,       // an edit's text changed, by the user or the program
  FocusLost,         // a control lost the focus
  SelectionChanged,  // the user chose another combo-box entry
  Paint,             // the dialog must paint (it was invalidated)
  LeftButtonDown,    // left mouse button at x, y (client pixels) on the dialog itself
  Close,             // the close box
};

struct DialogEvent {
  DialogEventKind kind;
  int control = 0;  // control id (Click of 1 / 2: Enter / Escape without such a button)
  int x = 0, y = 0;
};

// Raw input before the dialog handles it, for a program's message filter
// (PreTranslateMessage): a mouse press on a control (or on the dialog,
// control 0) at client pixels, or a key pressed in a control.
struct DialogInput {
  enum class Kind { MouseDown, Key } kind = Kind::MouseDown;
  int control = 0;
  int x = 0, y = 0;
  std::string key = "";  // one character, or "Enter", "Escape", "Tab", "Backspace", "Delete"
};

// Receives a dialog's events; installed by the platform layer above.
class DialogListener {
 public:
  virtual ~DialogListener() = default;
  virtual void onEvent(const DialogEvent& event) = 0;
  // True when the program consumed the input; the dialog then ignores it.
  virtual bool preTranslate(const DialogInput&) { return false; }
};

class Dialog {
 public:
  explicit Dialog(DialogTemplate source);
  ~Dialog();
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  const DialogTemplate& source() const;
  int id() const;
  void setListener(DialogListener* listener);

  // Controls in template order; lookups by id give the first with that id.
  std::vector<Control>& controls();
  const std::vector<Control>& controls() const;
  Control* control(int id);
  int indexOf(int id) const;  // -1 when there is none

  const std::string& caption() const;
  void setCaption(const std::string& caption);
  void setIcon(const Picture& icon, bool big);
  // Client area size in pixels.
  PixelRect clientRect() const;

  // Changes made by the program; they report events as Windows does
  // (TextChanged for an edit whose text is set) and repaint nothing by
  // themselves except where stated.
  void setText(int index, const std::string& text);
  void setChecked(int index, int state);
  void setEnabled(int index, bool enabled);
  void setVisible(int index, bool visible);
  void setReadOnly(int index, bool readOnly);
  void setImage(int index, const Picture& picture);
  int addItem(int index, const ComboItem& item);  // sorted when the style says so
  int insertItem(int index, int position, const ComboItem& item);  // -1: at the end
  void clearItems(int index);
  bool setSelection(int index, int selection);  // -1 clears; out of range clears and gives false
  void setImageList(int index, std::vector<Picture> images);
  void setTooltip(int index, const std::string& text);

  // Focus: the control index that has it, -1 for none. Moving it reports
  // FocusLost for the control that had it.
  int focus() const;
  void setFocus(int index);

  bool visible() const;
  void show(bool visible);
  bool enabled() const;
  void enable(bool enabled);

  // Painting: invalidate() asks for a Paint event before the next input is
  // read; fills are what the program painted during the latest Paint.
  void invalidate();
  bool invalid() const;
  void beginPaint();  // clears the invalid state and the fills
  void addFill(const PaintedFill& fill);
  const std::vector<PaintedFill>& fills() const;

  // The modal run: the dialog is recorded as it opens, takes one action at a
  // time from the UI driver (painting first when invalidated) until end() is
  // called, and is recorded as it closes. Without input left it is closed as
  // by its close box; if that does not end it, it ends with IDCANCEL (2).
  // Returns the result given to end(). An exception of the program ends the
  // run (recorded) and goes on to the caller.
  int runModal();
  void end(int result);
  bool ended() const;
  bool running() const;
  int result() const;

  // Applies one answer (verb and arguments as in the answers file); what
  // cannot be done is recorded as ignored.
  void apply(const std::string& verb, const std::vector<std::string>& args);

  // The dialog and every control as the transcript shows them; `event` is
  // "opened", "closed" or similar.
  std::string describe(const std::string& event) const;
  // The dialog as a window on the screen shows it (<ui/window_view.h>).
  WindowView view() const;

 private:
  int run();

  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace ui
