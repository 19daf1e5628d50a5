#pragma once
// The evaluation algorithm the document owns: criteria, velocity statistics,
// interval velocities and the rock-mass parameter formulas. One concrete
// standard exists; callers use the base type only.
#include "model/section_record.h"
#include "model/test_header.h"

namespace tarnix {

// What the algorithm reads of the document: the sections, which one is the
// first receiver (the one after it is the second), and the header. It keeps no
// data of its own.
struct AlgorithmSource {
  const Sections* sections = nullptr;
  const int* currentSection = nullptr;
  const TestHeader* header = nullptr;
};

class CAlgorithm {
 public:
  explicit CAlgorithm(const AlgorithmSource& source) : source_(source) {}
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
  virtual float GetMinValidDepth() const;
  virtual float PageYToDepth(int x, int y, int pageLeft, int pageTop, int pageRight, int pageBottom,
                             int pixelScale, int scroll) const;
  virtual int FindNearestPoint(float depth) const;
  // Average two-receiver velocity between two depths, m/s.
  virtual int CalcAverageVp(float topDepth, float bottomDepth) const;
  virtual float CalcPoissonRatio(int vs, int vp) const;
  virtual float CalcDynamicModulus(int mode, float poisson, float density, int vp, int vs) const;
  virtual float CalcIntegrityIndex(int vBlock, int vMass) const;

 protected:
  // The two receivers, or nullptr when there is no such section.
  const SectionRecord* FirstReceiver() const;
  const SectionRecord* SecondReceiver() const;
  const TestHeader* Header() const { return source_.header; }

 private:
  AlgorithmSource source_;
};

// Rock tests for water resources and hydropower engineering, SL 264-2001.
class CAlgorithm_SL_264_2001 : public CAlgorithm {
 public:
  using CAlgorithm::CAlgorithm;

  // The standard defines no velocity criterion, but the mean, standard
  // deviation and dispersion of the velocities are plain statistics: computed
  // like those of the other quantities rather than left at 0.
  float CalcVelocityStats(const float* values, int count, const Sections& sections, int sectionIndex,
                          float& mean, float& stdDev, float& dispersion, int step) const override;
  float GetMinValidDepth() const override;
  float PageYToDepth(int x, int y, int pageLeft, int pageTop, int pageRight, int pageBottom, int pixelScale,
                     int scroll) const override;
  int FindNearestPoint(float depth) const override;
  int CalcAverageVp(float topDepth, float bottomDepth) const override;
  float CalcPoissonRatio(int vs, int vp) const override;
  float CalcDynamicModulus(int mode, float poisson, float density, int vp, int vs) const override;
  float CalcIntegrityIndex(int vBlock, int vMass) const override;
};

}  // namespace tarnix
