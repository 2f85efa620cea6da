// The spectrum form's added row: an added filter of a material of Materials.dat and the
// compression plate, beside the specified controls. Chosen "none" (the start), the form
// and its files are as without them.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "palvane/forms/form2.h"
#include "palvane/forms/form_controls.h"
#include "palvane/forms/translated_text.h"
#include "palvane/forms/twips.h"
#include "palvane/state/shared_state.h"
#include "text_files/added_layers.h"
#include "text_files/number_text.h"

namespace palvane {

namespace {

constexpr int kLeft = 16800;
constexpr int kComboWidth = 1095;
constexpr int kBoxLeft = kLeft + 1155;
constexpr int kBoxWidth = 855;
constexpr int kUnitLeft = kBoxLeft + 915;
constexpr int kRowHeight = 375;
constexpr int kCaptionHeight = 300;

// The choices of a material combo: "none" (no data), then the materials' captions with
// their keys as data.
void fillMaterials(QComboBox& box, const std::vector<std::string>& keys) {
  box.clear();
  box.addItem(translated(kNoLayerCaption), QString());
  for (const std::string& key : keys) {
    box.addItem(QString::fromStdString(materialCaption(key)), QString::fromStdString(key));
  }
}

std::string keyOf(const QComboBox* box) { return box->currentData().toString().toStdString(); }

}  // namespace

void Form2::createLayerControls() {
  const auto row = [this](int top, SettingField field, const QString& name, QComboBox*& combo,
                          QLineEdit*& box) {
    addTranslatedLabel(*this, QString(), kSettingCaptions[static_cast<int>(field)], kLeft, top,
                       3000, kCaptionHeight);
    combo = new QComboBox(this);
    combo->setObjectName(name + QStringLiteral("Material"));
    placeAt(*combo, kLeft, top + kCaptionHeight + 60, kComboWidth, kRowHeight);
    box = addTextBox(*this, name, kBoxLeft, top + kCaptionHeight + 60, kBoxWidth, kRowHeight);
    box->setText(QStringLiteral("0"));
    addLabel(*this, QString(), QStringLiteral("mm"), kUnitLeft, top + kCaptionHeight + 105, 500,
             kCaptionHeight);
  };
  row(2070, SettingField::kAddedFilter, QStringLiteral("AddedFilter"), AddedFilterMaterial_,
      AddedFilter_);
  row(2850, SettingField::kPlate, QStringLiteral("Plate"), PlateMaterial_, Plate_);
}

void Form2::fillLayerChoices() {
  const MaterialColumns& materials = state().Materials;
  std::vector<std::string> all;
  std::vector<std::string> plates;
  for (const auto& entry : materials) {
    all.push_back(entry.first);
    for (std::string_view plate : kPlateMaterials) {
      if (entry.first == plate) plates.push_back(entry.first);
    }
  }
  const auto fill = [this, all, plates] {
    // The choice is kept by its key through a change of language.
    const QString filter = AddedFilterMaterial_->currentData().toString();
    const QString plate = PlateMaterial_->currentData().toString();
    fillMaterials(*AddedFilterMaterial_, all);
    fillMaterials(*PlateMaterial_, plates);
    AddedFilterMaterial_->setCurrentIndex(std::max(0, AddedFilterMaterial_->findData(filter)));
    PlateMaterial_->setCurrentIndex(std::max(0, PlateMaterial_->findData(plate)));
  };
  fill();
  onLanguageChange(*this, fill);
  // Without Materials.dat the row stays at "none" and says why.
  const QString problem = QString::fromStdString(state().MaterialsProblem);
  for (QWidget* control : std::initializer_list<QWidget*>{AddedFilterMaterial_, AddedFilter_,
                                                          PlateMaterial_, Plate_}) {
    control->setEnabled(materials.size() > 0);
    control->setToolTip(problem);
  }
}

void Form2::showPlateCaption() {
  const std::string material = keyOf(PlateMaterial_);
  const double thickness = SettingNumber(Plate_->text().toStdString());
  if (material.empty() || !(thickness > 0)) {
    PlateCaption_->setText(translated(kPlateIgnoredCaption));
    return;
  }
  PlateCaption_->setText(
      translated(kPlateIncludedCaption)
          .arg(QString::fromStdString(layerCaption(AddedLayer{material, thickness}))));
}

void Form2::showLayers(const AddedLayers& layers) {
  const auto show = [](QComboBox& combo, QLineEdit& box, const std::optional<AddedLayer>& layer) {
    const int index = layer ? combo.findData(QString::fromStdString(layer->material)) : 0;
    combo.setCurrentIndex(std::max(0, index));
    box.setText(QString::fromStdString(ShortestText(index > 0 ? layer->thickness : 0)));
  };
  // The form holds one added filter: the first of the run's.
  show(*AddedFilterMaterial_, *AddedFilter_,
       layers.filters.empty() ? std::nullopt : std::optional(layers.filters.front()));
  show(*PlateMaterial_, *Plate_, layers.plate);
}

std::string Form2::addedFilterMaterial() const { return keyOf(AddedFilterMaterial_); }
std::string Form2::addedFilter() const { return AddedFilter_->text().toStdString(); }
std::string Form2::plateMaterial() const { return keyOf(PlateMaterial_); }
std::string Form2::plate() const { return Plate_->text().toStdString(); }

}  // namespace palvane
