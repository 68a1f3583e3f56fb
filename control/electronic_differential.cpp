#include "electronic_differential.h"

double steeringProduct(float steerAngle, float diffMean) {
  return ((static_cast<double>(kSteerRatioNum) * tangentOf(steerAngle)) /
          static_cast<double>(kSteerRatioDen)) *
         static_cast<double>(diffMean);
}
