#include "camera_gl.h"

namespace vorpane {

namespace {

constexpr double pi = 3.141592653589793;

} // namespace

double camera_radians(float degrees) { return static_cast<double>(degrees) * pi / 180.0; }

void inertial_camera_gl::update()
{
    velocity_x += accel_x;
    eye_x = static_cast<float>(eye_x + velocity_x);
    velocity_y += accel_y;
    eye_y = static_cast<float>(eye_y + velocity_y);
    velocity_z += accel_z;
    eye_z = static_cast<float>(eye_z + velocity_z);
    if (!pitch_locked) {
        pitch_velocity += pitch_accel;
        pitch = static_cast<float>(pitch + pitch_velocity);
    }
    if (!yaw_locked) {
        yaw_velocity += yaw_accel;
        yaw = static_cast<float>(yaw + yaw_velocity);
    }
}

} // namespace vorpane
