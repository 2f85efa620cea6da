#pragma once

#include <string>
#include <vector>

#include "palvane/state/form_ports.h"

namespace palvane {

// Parameter texts as plain strings, set by the test; the defaults are the spectrum form's
// load-time values for the molybdenum target.
struct FixedParameterTexts : ParameterTexts {
  std::string voltage = "30", theta = "10", phi = "4", be = "0.8", al = "0", mo = "0.03", rh = "0";
  int voltageWrites = 0;

  std::string tubeVoltage() const override { return voltage; }
  std::string targetAngle() const override { return theta; }
  std::string tiltAngle() const override { return phi; }
  std::string beryllium() const override { return be; }
  std::string aluminium() const override { return al; }
  std::string molybdenum() const override { return mo; }
  std::string rhodium() const override { return rh; }
  void setTubeVoltage(const std::string& text) override {
    voltage = text;
    ++voltageWrites;
  }
};

// Records what is drawn, in order.
struct RecordingSurface : DrawingSurface {
  enum class Kind { kClear, kPenWidth, kForeColour, kPoint, kLine, kLineTo, kRectangle, kText };
  struct Call {
    Kind kind;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Rgb colour{};
    int width = 0;
  };
  std::vector<Call> calls;
  Rgb fore = colours::kBlack;

  void clear() override { calls.push_back({Kind::kClear}); }
  void setPenWidth(int width) override {
    calls.push_back({Kind::kPenWidth, 0, 0, 0, 0, {}, width});
  }
  void setForeColour(Rgb colour) override {
    fore = colour;
    calls.push_back({Kind::kForeColour, 0, 0, 0, 0, colour});
  }
  Rgb foreColour() const override { return fore; }
  void point(double x, double y, Rgb colour) override {
    calls.push_back({Kind::kPoint, x, y, x, y, colour});
  }
  void line(double x1, double y1, double x2, double y2, Rgb colour) override {
    calls.push_back({Kind::kLine, x1, y1, x2, y2, colour});
  }
  void lineTo(double x, double y, Rgb colour) override {
    calls.push_back({Kind::kLineTo, 0, 0, x, y, colour});
  }
  void rectangle(double x1, double y1, double x2, double y2, Rgb colour, bool filled) override {
    calls.push_back({Kind::kRectangle, x1, y1, x2, y2, colour, filled ? 1 : 0});
  }
  void text(double x, double y, const std::string&) override {
    calls.push_back({Kind::kText, x, y});
  }
};

}  // namespace palvane
