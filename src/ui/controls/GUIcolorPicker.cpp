#include "ui/controls/GUIcolorPicker.h"

#include "core/model/Cell.h"
#include "ui/controls/CColorPickerDlg.h"

namespace quom {

std::uint32_t GUIcolorPicker::run(QWidget* parent)
{
    CColorPickerDlg dialog(color_, parent);
    dialog.setFlags(CColorPickerDlg::kShowAlpha);
    dialog.setWindowTitle(title_);
    if (callback_)
        dialog.setCallback(callback_);
    if (dialog.exec() == QDialog::Accepted) {
        const Rgb c = dialog.rgb();
        color_ = makeCell(c.red, c.green, c.blue);
    }
    return color_;
}

} // namespace quom
