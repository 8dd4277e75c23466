// What the collision tests draw when the debug flag is set, so that the programmer sees the
// tested shape: red and thick after a hit, green and thin after a miss.
#pragma once

namespace tvk {

// Draw nothing without a window or with the debug flag clear; positions are scene units.
void ShowSphereTest(const double centre[3], double radius, bool hit);
void ShowBoxTest(const double centre[3], const double size[3], bool hit);
// The ray from its start along the unit direction, to the hit or to the far clip distance.
void ShowRayTest(const double start[3], const double direction[3], double distance, bool hit);

}  // namespace tvk
