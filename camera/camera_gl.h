// The camera chain: camera_gl turns an eye position and two angles into the modelview matrix;
// inertial_camera_gl adds velocities, accelerations and angle locks, and the one virtual operation,
// place, that a concrete camera implements. GUI thread only; apply needs the GL context current.
#pragma once

namespace vorpane {

class camera_gl {
public:
    // Replaces the modelview matrix with the look-at of the eye along pitch and yaw.
    void apply() const;

    float eye_x = 0.0f;
    float eye_y = 0.0f;
    float eye_z = 0.0f;
    float pitch = 0.0f; // degrees above the x-y plane; -90 looks down the negative z axis
    float yaw = 0.0f;   // degrees from +x towards +y
};

class inertial_camera_gl : public camera_gl {
public:
    // Places the eye for a view of width x height pixels.
    virtual void place(int width, int height) = 0;
    // One integration step of the eye, and of each angle that is not locked.
    void update();

    double accel_x = 0.0;
    double velocity_x = 0.0;
    double accel_y = 0.0;
    double velocity_y = 0.0;
    double accel_z = 0.0;
    double velocity_z = 0.0;
    double pitch_accel = 0.0;
    double pitch_velocity = 0.0;
    double yaw_accel = 0.0;
    double yaw_velocity = 0.0;
    bool pitch_locked = false;
    bool yaw_locked = false;

protected:
    // Cameras are never destroyed through this class.
    ~inertial_camera_gl() = default;
};

// Degrees to radians, in double: the look-at depends on cos(-90 degrees) being a tiny positive
// number, which single precision turns negative.
double camera_radians(float degrees);

} // namespace vorpane
