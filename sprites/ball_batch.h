// All balls of a frame in two draws: one of triangles for the discs, one of lines for the trails.
// It draws the same discs and trails as each ball's own draw, only without a pair of draw calls
// per ball, which a software renderer pays for dearly. The trails all come after the discs.
// GUI thread; draw needs the GL context current. Allocates only at construction.
#pragma once

#include "ball.h"
#include "colour.h"
#include "point2.h"

#include <cstddef>
#include <vector>

namespace vorpane {

class ball_batch {
public:
    explicit ball_batch(std::size_t max_balls);

    void clear();
    // Adds one ball as its draw would show it now; beyond max_balls it is left out.
    void add(const ball& b);
    void draw() const;

    std::size_t disc_vertices() const { return disc_points_.size(); }
    std::size_t trail_vertices() const { return trail_points_.size(); }

private:
    static constexpr std::size_t vertices_per_disc = 3 * disc_rim_points;
    static constexpr std::size_t vertices_per_trail = 2 * (ball::max_trail - 1);

    std::size_t max_balls_;
    std::vector<point2> disc_points_;
    std::vector<colour> disc_colours_;
    std::vector<point2> trail_points_;
    std::vector<colour> trail_colours_;
};

} // namespace vorpane
