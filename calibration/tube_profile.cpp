#include "calibration/tube_profile.h"

#include <cmath>

namespace calibration {

namespace {

// Settings read from text and converted between units agree to far better than this.
bool same(double a, double b) { return std::fabs(a - b) <= 1e-6; }

// Filters of the same materials in the same order, each as thick.
bool sameFilters(const Filters& a, const Filters& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t n = 0; n < a.size(); ++n) {
    if (a[n].material != b[n].material || !same(a[n].thickness, b[n].thickness)) return false;
  }
  return true;
}

// The materials joined by '+', each as `name` gives it; `none` without a filter.
template <typename Name>
std::string joined(const Filters& filters, const char* none, Name name) {
  if (filters.empty()) return none;
  std::string text;
  for (const palvane::AddedLayer& filter : filters) {
    if (!text.empty()) text += '+';
    text += name(filter.material);
  }
  return text;
}

}  // namespace

Filters filtersOf(const palvane::TubeSetup& setup) {
  Filters filters;
  if (setup.molybdenum > 0.0) filters.push_back({"mo", setup.molybdenum});
  if (setup.rhodium > 0.0) filters.push_back({"rh", setup.rhodium});
  for (const palvane::AddedLayer& added : setup.addedFilters) {
    if (added.thickness > 0.0) filters.push_back(added);
  }
  return filters;
}

std::string filterKey(const Filters& filters) {
  return joined(filters, "none", [](const std::string& material) { return material; });
}

std::string setupName(palvane::Target target, const Filters& filters) {
  return std::string(target == palvane::Target::kMolybdenum ? "Mo/" : "W/") +
         joined(filters, "none", palvane::materialCaption);
}

std::string_view targetMetal(palvane::Target target) {
  return target == palvane::Target::kMolybdenum ? "molybdenum" : "tungsten";
}

FilterCalibration FilterCalibration::madeWith(const palvane::TubeSetup& setup) {
  FilterCalibration made;
  made.filters = filtersOf(setup);
  made.beryllium = setup.beryllium;
  made.targetAngle = setup.targetAngle;
  made.tiltAngle = setup.tiltAngle;
  if (setup.plate && setup.plate->thickness > 0.0) made.plate = setup.plate;
  return made;
}

bool FilterCalibration::madeFor(const palvane::TubeSetup& setup) const {
  return sameFilters(filtersOf(setup), filters) && same(setup.beryllium, beryllium) &&
         same(setup.targetAngle, targetAngle) && same(setup.tiltAngle, tiltAngle);
}

const FilterCalibration* TubeProfile::filterCalibration(std::string_view key) const {
  for (const FilterCalibration& calibration : filters) {
    if (filterKey(calibration.filters) == key) return &calibration;
  }
  return nullptr;
}

void TubeProfile::setFilterCalibration(const FilterCalibration& calibration) {
  const std::string key = filterKey(calibration.filters);
  for (FilterCalibration& known : filters) {
    if (filterKey(known.filters) == key) {
      known = calibration;
      return;
    }
  }
  filters.push_back(calibration);
}

FilterFitFor filterFitFor(const TubeProfile& profile, const palvane::TubeSetup& setup) {
  FilterFitFor found;
  if (setup.target != profile.target) {
    found.refusal =
        "the profile is for the " + std::string(targetMetal(profile.target)) + " target";
    return found;
  }
  found.filters = filtersOf(setup);
  found.fit = profile.filterCalibration(filterKey(found.filters));
  return found;
}

std::vector<HvlPair> heelRefitPairs(const TubeProfile& profile, const palvane::TubeSetup& setup) {
  std::vector<HvlPair> pairs;
  const FilterCalibration* known = profile.target == setup.target
                                       ? profile.filterCalibration(filterKey(filtersOf(setup)))
                                       : nullptr;
  if (known == nullptr) return pairs;
  FilterCalibration sameAngle = *known;
  sameAngle.targetAngle = setup.targetAngle;
  if (!sameAngle.madeFor(setup)) return pairs;
  for (const PairFit& pair : known->pairs) pairs.push_back(pair.measured);
  return pairs;
}

void adoptFirstFormatSettings(TubeProfile& profile, const palvane::TubeSetup& setup) {
  if (profile.format >= 2) return;
  for (FilterCalibration& fit : profile.filters) {
    FilterCalibration adopted = FilterCalibration::madeWith(setup);
    adopted.pairs = fit.pairs;
    adopted.aluminium = fit.aluminium;
    fit = adopted;
  }
  if (profile.output) profile.output->setup = setup;
}

std::string proposedFileName(const TubeProfile& profile) {
  std::string stem;
  for (const char c : profile.name) {
    const bool unsafe = c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' ||
                        c == '<' || c == '>' || c == '|' || c == ' ' || c == '\t' ||
                        static_cast<unsigned char>(c) < 0x20;
    stem += unsafe ? '_' : c;
  }
  if (stem.empty() || stem.find_first_not_of("._") == std::string::npos) {
    stem = std::string(targetMetal(profile.target)) + "_tube";
  }
  return stem + ".txt";
}

}  // namespace calibration
