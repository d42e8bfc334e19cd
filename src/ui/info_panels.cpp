#include "info_panels.h"

#include <QLabel>

#include "ui_form_main.h"

namespace zentil {
namespace {

void setPanel(QLabel* label, const std::string& text) {
    label->setText(QString::fromStdString(text));
}

void showColour(const std::optional<ColorTexts>& texts, QLabel* value, QLabel* red, QLabel* green,
                QLabel* blue) {
    if (!texts) return;
    setPanel(value, (*texts)[0]);
    setPanel(red, (*texts)[1]);
    setPanel(green, (*texts)[2]);
    setPanel(blue, (*texts)[3]);
}

}  // namespace

void showPixelInfo(Ui::TMainWin& form, const PixelInfo& info) {
    setPanel(form.Panel_TileXY, info.tileXY);
    setPanel(form.Panel_TileNum, info.tileNum);
    if (info.tileSize) setPanel(form.Panel_TileSize, *info.tileSize);
    showColour(info.pixel, form.Panel_PixelColor, form.Panel_PixelColorR, form.Panel_PixelColorG,
               form.Panel_PixelColorB);
    showKeyInfo(form, info);
}

void showKeyInfo(Ui::TMainWin& form, const PixelInfo& info) {
    showColour(info.defaultKey, form.Panel_DefaultColorKey, form.Panel_DefaultColorKeyR,
               form.Panel_DefaultColorKeyG, form.Panel_DefaultColorKeyB);
    showColour(info.key, form.Panel_ColorKey, form.Panel_ColorKeyR, form.Panel_ColorKeyG,
               form.Panel_ColorKeyB);
}

}  // namespace zentil
