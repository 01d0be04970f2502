#include "caption_styling.h"

#include <QCheckBox>
#include <QLineEdit>

#include "moxilo/app/main_window.h"
#include "moxilo/captions/font_size.h"
#include "widgets/colour_picker.h"
#include "widgets/transparent_label.h"
#include "widgets/up_down_control.h"

namespace moxilo::app {
namespace {

struct CaptionControls {
    std::string_view caption;
    std::string_view textBox;
    std::string_view colourPicker;
    std::string_view sizeSpinner;
};

constexpr std::array kCaptionControls{
    CaptionControls{control::caption1, control::caption1TextBox, control::caption1ColourPicker,
                    control::caption1SizeSpinner},
    CaptionControls{control::caption2, control::caption2TextBox, control::caption2ColourPicker,
                    control::caption2SizeSpinner},
};

}  // namespace

CaptionStyling::CaptionStyling(MainWindow& window) : QObject(&window) {
    for (const CaptionControls& controls : kCaptionControls) {
        auto* caption = window.control<TransparentLabel>(controls.caption);
        connect(window.control<QLineEdit>(controls.textBox), &QLineEdit::textChanged, caption,
                &TransparentLabel::setText);
        connect(window.control<ColourPicker>(controls.colourPicker), &ColourPicker::colourChosen,
                caption, &TransparentLabel::setTextColour);
        connect(window.control<UpDownControl>(controls.sizeSpinner), &UpDownControl::arrowPressed,
                caption, [caption](int argument) { stepSize(*caption, argument); });
    }
    auto* bold = window.control<QCheckBox>(control::boldCheckBox);
    auto* caption1 = window.control<TransparentLabel>(control::caption1);
    auto* caption2 = window.control<TransparentLabel>(control::caption2);
    connect(bold, &QCheckBox::clicked, this, [bold, caption1, caption2] {
        const bool ticked = bold->isChecked();  // read once: both captions get the same
        caption1->setBold(ticked);
        caption2->setBold(ticked);
    });
}

// Every step starts from the caption's own font; the spinner keeps no number.
void CaptionStyling::stepSize(TransparentLabel& caption, int arrowArgument) {
    caption.setFontHeight(
        captions::steppedFontHeight(caption.fontHeight(), arrowArgument, caption.logicalDpiY()));
}

}  // namespace moxilo::app
