#pragma once
// The evaluation algorithm the document owns: criteria, velocity statistics,
// interval velocities and the rock-mass parameter formulas. One concrete
// standard exists; callers use the base type only.
#include "model/section_record.h"

namespace tarnix {

// The probe's two receivers: the current section and the one after it. Either
// may be missing. The algorithm keeps no data of its own; callers hand it the
// receivers they mean.
struct Receivers {
  const SectionRecord* first = nullptr;
  const SectionRecord* second = nullptr;
};

// The receivers of a channel pair whose first section is index (none when the
// index lies outside the sections).
Receivers ReceiversAt(const Sections& sections, int index);

class CAlgorithm {
 public:
  CAlgorithm() = default;
  virtual ~CAlgorithm() = default;
  CAlgorithm(const CAlgorithm&) = delete;
  CAlgorithm& operator=(const CAlgorithm&) = delete;

  virtual float CalcAmpCritical(const float* values, int count, const SectionRecord& section, int step) const;
  virtual float CalcMaxValue(const float* values, int count, const SectionRecord& section, int step) const;
  virtual float ReservedValue(const float* values, int count, const SectionRecord& section, int step) const;
  // Mean, standard deviation and dispersion of the velocities of a section; the
  // base leaves the outputs untouched.
  virtual float CalcVelocityStats(const float* values, int count, const Sections& sections, int sectionIndex,
                                  float& mean, float& stdDev, float& dispersion, int step) const;
  virtual float CalcVelocityCritical(const float* values, int count, const Sections& sections,
                                     int sectionIndex, int step) const;
  virtual void ReservedAction(int a, int b, int c, int d, int e, int f);
  // Shallowest depth where both receivers have a velocity.
  virtual float GetMinValidDepth(const Receivers& r) const;
  virtual float PageYToDepth(float pileLen, int x, int y, int pageLeft, int pageTop, int pageRight,
                             int pageBottom, int pixelScale, int scroll) const;
  virtual int FindNearestPoint(const Receivers& r, float depth) const;
  // Average two-receiver velocity between two depths, m/s.
  virtual int CalcAverageVp(const Receivers& r, float topDepth, float bottomDepth) const;
  virtual float CalcPoissonRatio(int vs, int vp) const;
  virtual float CalcDynamicModulus(int mode, float poisson, float density, int vp, int vs) const;
  virtual float CalcIntegrityIndex(int vBlock, int vMass) const;
};

// Rock tests for water resources and hydropower engineering, SL 264-2001.
class CAlgorithm_SL_264_2001 : public CAlgorithm {
 public:
  // The standard defines no velocity criterion, but the mean, standard
  // deviation and dispersion of the velocities are plain statistics: computed
  // like those of the other quantities rather than left at 0.
  float CalcVelocityStats(const float* values, int count, const Sections& sections, int sectionIndex,
                          float& mean, float& stdDev, float& dispersion, int step) const override;
  float GetMinValidDepth(const Receivers& r) const override;
  float PageYToDepth(float pileLen, int x, int y, int pageLeft, int pageTop, int pageRight, int pageBottom,
                     int pixelScale, int scroll) const override;
  int FindNearestPoint(const Receivers& r, float depth) const override;
  int CalcAverageVp(const Receivers& r, float topDepth, float bottomDepth) const override;
  float CalcPoissonRatio(int vs, int vp) const override;
  float CalcDynamicModulus(int mode, float poisson, float density, int vp, int vs) const override;
  float CalcIntegrityIndex(int vBlock, int vMass) const override;
};

}  // namespace tarnix
