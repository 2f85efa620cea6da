#pragma once

#include <filesystem>
#include <memory>
#include <span>

#include "engine/beam_parameters.h"
#include "engine/bins.h"
#include "engine/coefficient_table.h"

namespace engine {

// The spectra of one run for one target material, with everything that depends only on
// the settings prepared in advance.
class TargetRun {
 public:
  virtual ~TargetRun() = default;

  // The spectrum leaving the target toward the column with path factor G (finite), bins
  // 1..250; bins the target does not fill are 0.
  virtual void columnSpectrum(float pathFactor, Spectrum& out) = 0;

  // The point spectra of the column at X (cm) from its column spectrum: out[k - 1] for
  // Y_k, k = 1..out.size(). Bin 1 and the bins above N are 0.
  virtual void pointSpectra(const Spectrum& column, float x, std::span<Spectrum> out) = 0;

  // The point spectrum at (X, Y) in cm, any Y, from the column spectrum of X: the same
  // floats as pointSpectra gives at a grid point.
  virtual void pointSpectrum(const Spectrum& column, float x, float y, Spectrum& out) = 0;
};

// One target material: what it reads beyond MUs3.dat and how it turns settings into
// spectra. The run sequence, grid, point quantities and files are shared.
class TargetModel {
 public:
  virtual ~TargetModel() = default;

  // Reads the target's own tables from the directory, after MUs3.dat and before
  // B2F.dat. Throws InputError naming the file.
  virtual void readTables(const std::filesystem::path& directory) = 0;

  // Checks the settings against the target's tables (throws InputError) and prepares
  // the run. The tube voltage has already been checked to give 2 <= N <= 250.
  virtual std::unique_ptr<TargetRun> beginRun(const BeamParameters& parameters,
                                              const CoefficientTable& table) const = 0;
};

}  // namespace engine
