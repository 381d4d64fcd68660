#include "ball_batch.h"


namespace vorpane {

ball_batch::ball_batch(std::size_t max_balls) : max_balls_(max_balls)
{
    disc_points_.reserve(max_balls * vertices_per_disc);
    disc_colours_.reserve(max_balls * vertices_per_disc);
    trail_points_.reserve(max_balls * vertices_per_trail);
    trail_colours_.reserve(max_balls * vertices_per_trail);
}

void ball_batch::clear()
{
    disc_points_.clear();
    disc_colours_.clear();
    trail_points_.clear();
    trail_colours_.clear();
}

void ball_batch::add(const ball& b)
{
    if (disc_points_.size() >= max_balls_ * vertices_per_disc) {
        return;
    }
    // The disc's fan as separate triangles, placed and scaled as the ball's matrix would.
    const point2 centre = b.scene_point(b.orbit.origin);
    const colour pulse = b.pulse_colours[static_cast<std::size_t>(b.ticks % ball::ticks_per_iterate)];
    const float scale = 1.0f + static_cast<float>(2.0 * pulse.a / 256.0);
    const auto& rim = disc_rim();
    for (std::size_t i = 0; i < disc_rim_points; ++i) {
        disc_points_.push_back(centre);
        disc_points_.push_back({centre.x + scale * rim[i].x, centre.y + scale * rim[i].y});
        disc_points_.push_back({centre.x + scale * rim[i + 1].x, centre.y + scale * rim[i + 1].y});
    }
    disc_colours_.insert(disc_colours_.end(), vertices_per_disc, pulse);

    // The trail's strip as separate segments, each end in its own colour.
    for (std::size_t i = 0; i + 1 < b.trail.size(); ++i) {
        trail_points_.push_back(b.trail[i]);
        trail_points_.push_back(b.trail[i + 1]);
        trail_colours_.push_back(b.trail_colours[i]);
        trail_colours_.push_back(b.trail_colours[i + 1]);
    }
}

} // namespace vorpane
