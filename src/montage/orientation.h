// Line orientation: the views turned so that the orientation lines (points 5
// to 6) become parallel, vertical or horizontal.
#pragma once

class talignhost;
class timg;

// Modes of CalOrient.
enum OrientMode {
    OrientRightOnLeft = 1, // "Orienter Image Droite par rapport à Image Gauche"
    OrientLeftOnRight = 2, // "Orienter Image Gauche par rapport à Image Droite"
    OrientHalfway = 3,     // "Orienter Image Gauche et Image Droite"
    OrientVertical = 4,    // "Orienter sur Verticale"
    OrientHorizontal = 8,  // "Orienter sur Horizontale"
};

// Direction of the view's line from point 5 to point 6 with the view
// unturned, in radians counter-clockwise with the y axis up.
double LineDirection(const timg& view);

// Levels on the C pair with the left view as reference, then turns the views
// after the mode. Unplaced points take part with their stored coordinates.
void CalOrient(talignhost& host, int mode);
