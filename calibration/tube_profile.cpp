#include "calibration/tube_profile.h"

#include <cmath>

namespace calibration {

namespace {

// Settings read from text and converted between units agree to far better than this.
bool same(double a, double b) { return std::fabs(a - b) <= 1e-6; }

const char* filterSymbol(Filter filter) {
  switch (filter) {
    case Filter::kNone:
      return "none";
    case Filter::kMolybdenum:
      return "Mo";
    case Filter::kRhodium:
      return "Rh";
  }
  return "?";
}

}  // namespace

std::string_view filterKey(Filter filter) {
  switch (filter) {
    case Filter::kNone:
      return "none";
    case Filter::kMolybdenum:
      return "mo";
    case Filter::kRhodium:
      return "rh";
  }
  return "none";
}

std::optional<Filter> filterOf(double molybdenum, double rhodium) {
  if (molybdenum > 0.0 && rhodium > 0.0) return std::nullopt;
  if (molybdenum > 0.0) return Filter::kMolybdenum;
  if (rhodium > 0.0) return Filter::kRhodium;
  return Filter::kNone;
}

std::string setupName(palvane::Target target, Filter filter) {
  return std::string(target == palvane::Target::kMolybdenum ? "Mo/" : "W/") + filterSymbol(filter);
}

std::string_view targetMetal(palvane::Target target) {
  return target == palvane::Target::kMolybdenum ? "molybdenum" : "tungsten";
}

double addedFilterThickness(const palvane::TubeSetup& setup, Filter filter) {
  switch (filter) {
    case Filter::kMolybdenum:
      return setup.molybdenum;
    case Filter::kRhodium:
      return setup.rhodium;
    case Filter::kNone:
      break;
  }
  return 0.0;
}

FilterCalibration FilterCalibration::madeWith(const palvane::TubeSetup& setup, Filter filter) {
  FilterCalibration made;
  made.filter = filter;
  made.filterThickness = addedFilterThickness(setup, filter);
  made.beryllium = setup.beryllium;
  made.targetAngle = setup.targetAngle;
  made.tiltAngle = setup.tiltAngle;
  return made;
}

bool FilterCalibration::madeFor(const palvane::TubeSetup& setup) const {
  const std::optional<Filter> setupFilter = filterOf(setup.molybdenum, setup.rhodium);
  const double thickness = addedFilterThickness(setup, filter);
  return setupFilter == filter && same(thickness, filterThickness) &&
         same(setup.beryllium, beryllium) && same(setup.targetAngle, targetAngle) &&
         same(setup.tiltAngle, tiltAngle);
}

const FilterCalibration* TubeProfile::filterCalibration(Filter filter) const {
  for (const FilterCalibration& calibration : filters) {
    if (calibration.filter == filter) return &calibration;
  }
  return nullptr;
}

void TubeProfile::setFilterCalibration(const FilterCalibration& calibration) {
  for (FilterCalibration& known : filters) {
    if (known.filter == calibration.filter) {
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
  const std::optional<Filter> filter = filterOf(setup.molybdenum, setup.rhodium);
  if (!filter) {
    found.refusal = "both added filters are set";
    return found;
  }
  found.filter = *filter;
  found.fit = profile.filterCalibration(*filter);
  return found;
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
