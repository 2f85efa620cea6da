#include "measured_spectra/comparison.h"

#include <cmath>
#include <sstream>
#include <stdexcept>

#include "calibration/hvl_fit.h"
#include "measured_spectra/catalogue_spectrum.h"

namespace measured {

namespace {

Beam beamOf(const Series& series, double tubeVoltage) {
  return {series.anode, tubeVoltage, series.molybdenum, series.rhodium, series.addedFilter};
}

palvane::BeamQuality qualityOf(const ModelBeams& beams, const palvane::BinArray& photons,
                               const std::string& what) {
  const std::optional<palvane::BeamQuality> quality = beams.quality(photons);
  if (!quality) throw std::runtime_error(what + ": no beam quality");
  return *quality;
}

std::string beamName(const Series& series, double tubeVoltage) {
  std::ostringstream name;
  name << catalogueTube(series.anode).symbol << ", " << filterName(series) << ", " << tubeVoltage
       << " kV";
  return name.str();
}

}  // namespace

const std::vector<Series>& comparedSeries() {
  static const std::vector<double> kMolybdenumVoltages = {25, 28, 31, 35};
  static const std::vector<double> kTungstenVoltages = {25, 30, 35, 40, 49};
  static const std::vector<Series> kSeries = {
      {Anode::kMolybdenum, 0.0, 0.0, kMolybdenumVoltages, 28, {}},
      {Anode::kMolybdenum, 0.03, 0.0, kMolybdenumVoltages, 28, {}},
      {Anode::kMolybdenum, 0.0, 0.025, kMolybdenumVoltages, 28, {}},
      {Anode::kMolybdenum, 0.06, 0.0, kMolybdenumVoltages, 28, {}},
      {Anode::kTungsten, 0.0, 0.05, kTungstenVoltages, 30, {}},
      // W/Ag and W/Al (tomosynthesis), filtered with Materials.dat.
      {Anode::kTungsten, 0.0, 0.0, kTungstenVoltages, 30, palvane::AddedLayer{"ag", 0.05}},
      {Anode::kTungsten, 0.0, 0.0, kTungstenVoltages, 30, palvane::AddedLayer{"al", 0.7}},
  };
  return kSeries;
}

std::string filterName(const Series& series) {
  std::ostringstream name;
  if (series.molybdenum > 0.0) {
    name << series.molybdenum << " mm Mo";
  } else if (series.rhodium > 0.0) {
    name << series.rhodium << " mm Rh";
  } else if (series.addedFilter) {
    name << series.addedFilter->thickness << " mm "
         << palvane::materialCaption(series.addedFilter->material);
  } else {
    name << "none";
  }
  return name.str();
}

palvane::BinArray measuredSpectrum(const ModelBeams& beams, const std::filesystem::path& catalogue,
                                   const Beam& beam) {
  const std::string symbol = catalogueTube(beam.anode).symbol;
  const std::filesystem::path file =
      catalogue / symbol /
      (symbol + "_" + std::to_string(static_cast<int>(std::lround(beam.tubeVoltage))) + "kV.dat");
  return beams.throughAddedFilter(onModelBins(readCatalogueSpectrum(file)), beam);
}

ComparedSeries compareSeries(const ModelBeams& beams, const std::filesystem::path& catalogue,
                             const Series& series) {
  ComparedSeries compared{series, std::nullopt, 0.0, {}, {}};
  for (double tubeVoltage : series.tubeVoltages) {
    const Beam beam = beamOf(series, tubeVoltage);
    const ModelBeams::Axis axis = beams.beamAxis(beam, 0.0);
    const std::string name = beamName(series, tubeVoltage);
    compared.beams.push_back(
        {tubeVoltage,
         qualityOf(beams, measuredSpectrum(beams, catalogue, beam), name + ", measured"),
         qualityOf(beams, axis.photons, name + ", model"), std::nullopt, axis.engineHvl});
  }

  // The one-point calibration: the aluminium that gives the measured HVL1 at the fit
  // voltage, with the HVL of the same routine, then every voltage run with it as B2F.dat
  // carries it.
  double measuredAtFit = 0.0;
  for (const ComparedBeam& beam : compared.beams) {
    if (beam.tubeVoltage == series.fitVoltage) measuredAtFit = beam.measured.firstHvl;
  }
  const calibration::HvlModel model = [&](double tubeVoltage,
                                          double aluminium) -> std::optional<double> {
    const std::optional<palvane::BeamQuality> quality =
        beams.quality(beams.beamAxis(beamOf(series, tubeVoltage), aluminium).photons);
    if (!quality) return std::nullopt;
    return quality->firstHvl;
  };
  try {
    compared.fittedAluminium =
        calibration::fitAluminium(model, {{series.fitVoltage, measuredAtFit}}).aluminium;
  } catch (const calibration::UnreachableHvl& unreachable) {
    compared.fitFailure = unreachable.what();
    return compared;
  }
  compared.aluminiumAsRun = std::round(*compared.fittedAluminium * 100.0) / 100.0;
  for (ComparedBeam& beam : compared.beams) {
    const Beam calibrated = beamOf(series, beam.tubeVoltage);
    beam.calibrated = qualityOf(beams, beams.beamAxis(calibrated, compared.aluminiumAsRun).photons,
                                beamName(series, beam.tubeVoltage) + ", calibrated model");
  }
  return compared;
}

}  // namespace measured
