// The model core as a WebAssembly module: the field, the spectrum at a point and the
// engines' file texts for a set-up given as a JavaScript object, with the tables built in.
// Every call returns an object: {ok: true, ...} or {ok: false, error: "<the message>"}.

#include <emscripten/bind.h>
#include <emscripten/emscripten.h>
#include <emscripten/val.h>

#include <string>
#include <string_view>

#include "text_files/parameter_file.h"
#include "text_files/tube_setup.h"
#include "tube_model/field.h"
#include "tube_model/point.h"
#include "tube_model/tables.h"
#include "web/module/module_setup.h"

namespace {

using emscripten::val;
using web::guarded;
using web::setupOf;
using web::tables;

template <typename Float, std::size_t N>
val copyOf(const std::array<Float, N>& values) {
  return val(emscripten::typed_memory_view(N, values.data())).call<val>("slice");
}

val sumsOf(const tube_model::PointSums& sums) {
  val out = val::object();
  out.set("peak", sums.peak);
  out.set("photonFluence", sums.photonFluence);
  out.set("energyFluence", sums.energyFluence);
  out.set("airKerma", sums.airKerma);
  out.set("hvl", sums.hvl);
  return out;
}

val field(const val& setupObject) {
  return guarded([&] {
    const double started = emscripten_get_now();
    const tube_model::FieldResult result = tube_model::computeField(setupOf(setupObject), tables());
    val out = val::object();
    // The model's own time, without the copies and texts below: what the native
    // benchmarks measure.
    out.set("computeMilliseconds", emscripten_get_now() - started);
    out.set("energyFluence", copyOf(result.energyFluence));
    out.set("airKerma", copyOf(result.airKerma));
    out.set("hvl", copyOf(result.hvl));
    out.set("energyFluenceReference", result.energyFluenceReference);
    out.set("airKermaReference", result.airKermaReference);
    out.set("hvlReference", result.hvlReference);
    if (result.beamAxis) {
      out.set("spectrum", copyOf(result.beamAxis->spectrum));
      out.set("sums", sumsOf(result.beamAxis->sums));
    }
    val warnings = val::array();
    for (const std::string& line : result.warnings) warnings.call<void>("push", line);
    out.set("warnings", warnings);
    out.set("resultText", tube_model::resultText(result));
    out.set("beamAxisText", tube_model::beamAxisText(result));
    return out;
  });
}

val point(const val& setupObject, double xMm, double yMm) {
  return guarded([&] {
    const tube_model::PointResult result =
        tube_model::pointSpectrum(setupOf(setupObject), tables(), xMm, yMm);
    val out = val::object();
    out.set("x", result.x);
    out.set("y", result.y);
    out.set("spectrum", copyOf(result.spectrum));
    out.set("highestBin", result.highestBin);
    out.set("sums", sumsOf(result.sums));
    val quality = val::object();
    quality.set("meanEnergy", result.quality.meanEnergy);
    quality.set("firstHvl", result.quality.firstHvl);
    quality.set("secondHvl", result.quality.secondHvl);
    quality.set("homogeneity", result.quality.homogeneity);
    quality.set("relativeAirKerma", result.quality.relativeAirKerma);
    out.set("quality", quality);
    return out;
  });
}

// The B2F.dat the desktop program would write for the set-up (the engines read it).
std::string parameterText(const val& setupObject) {
  return palvane::parameterFileText(setupOf(setupObject));
}

// The layers as captions and settings lines state them: {filters: "Ag 0.05 mm", plate:
// "PMMA 2.4 mm"}, "" for none.
val layerCaptions(const val& setupObject) {
  const palvane::AddedLayers layers = palvane::addedLayersOf(setupOf(setupObject));
  val out = val::object();
  out.set("filters", palvane::filtersCaption(layers));
  out.set("plate", palvane::plateCaption(layers));
  return out;
}

// The materials of the built-in Materials.dat for the added layers' choices: [{key: "ag",
// caption: "Ag"}, ...].
val materials() {
  val out = val::array();
  for (const auto& entry : tables().materials()) {
    val material = val::object();
    material.set("key", entry.first);
    material.set("caption", palvane::materialCaption(entry.first));
    out.call<void>("push", material);
  }
  return out;
}

// The set-up's fields with their ranges and patterns, for the page's checks.
val setupFields() {
  val fields = val::array();
  for (const palvane::SetupField& field : palvane::kSetupFields) {
    val entry = val::object();
    entry.set("name", std::string(field.name));
    entry.set("unit", std::string(field.unit));
    entry.set("filePattern", std::string(field.filePattern));
    entry.set("boxPattern", std::string(field.boxPattern));
    entry.set("lowest", field.lowest);
    entry.set("highest", field.highest);
    fields.call<void>("push", entry);
  }
  return fields;
}

}  // namespace

EMSCRIPTEN_BINDINGS(palvane) {
  emscripten::function("field", &field);
  emscripten::function("point", &point);
  emscripten::function("parameterText", &parameterText);
  emscripten::function("setupFields", &setupFields);
  emscripten::function("layerCaptions", &layerCaptions);
  emscripten::function("materials", &materials);
}
