#include "tools/datagen/PictureGameScenes.h"

#include <vector>

#include "tools/datagen/Art.h"

namespace {

// One flat shape of a drawing, in the 200×200 box: a rectangle, an ellipse,
// a triangle (apex up) or a line from (X, Y) to (W, H), 10 pixels thick.
struct TShape {
    char Kind;  // 'r', 'e', 't', 'l'
    int X, Y, W, H;
    TColor Colour;
};

constexpr TColor Black = RGBColor(30, 30, 30), White = RGBColor(250, 250, 250), Grey = RGBColor(140, 140, 150),
                 Red = RGBColor(210, 40, 40), Blue = RGBColor(50, 100, 210), Sky = RGBColor(170, 215, 250),
                 Green = RGBColor(60, 160, 60), Brown = RGBColor(130, 80, 40), Yellow = RGBColor(250, 210, 50),
                 Orange = RGBColor(250, 130, 20), Pink = RGBColor(250, 170, 200), Wood = RGBColor(200, 150, 90);

std::vector<TShape> Shapes(TSceneDrawing d) {
    using D = TSceneDrawing;
    switch (d) {
    case D::Car: return {{'r', 20, 100, 160, 50, Red}, {'r', 55, 65, 90, 40, Red}, {'r', 65, 72, 32, 28, Sky},
                         {'r', 103, 72, 32, 28, Sky}, {'e', 35, 130, 40, 40, Black}, {'e', 125, 130, 40, 40, Black},
                         {'l', 150, 60, 185, 25, Grey}};
    case D::Cake: return {{'r', 30, 120, 140, 60, Pink}, {'r', 55, 80, 90, 45, White}, {'r', 96, 50, 8, 30, Blue},
                          {'e', 92, 32, 16, 22, Orange}, {'r', 30, 140, 140, 8, Red}};
    case D::Axe: return {{'r', 40, 130, 120, 40, Brown}, {'e', 40, 130, 30, 40, Wood}, {'l', 110, 40, 150, 150, Wood},
                         {'t', 80, 25, 50, 45, Grey}};
    case D::Bulb: return {{'e', 55, 20, 90, 100, Yellow}, {'r', 80, 115, 40, 35, Grey}, {'r', 85, 150, 30, 10, Black},
                          {'l', 20, 60, 45, 65, Yellow}, {'l', 155, 65, 180, 60, Yellow}, {'l', 100, 0, 100, 10, Yellow}};
    case D::Barn: return {{'t', 25, 20, 150, 70, Brown}, {'r', 40, 90, 120, 100, Red}, {'r', 80, 130, 40, 60, Wood},
                          {'e', 130, 150, 60, 35, White}, {'e', 170, 140, 22, 20, White}, {'e', 145, 158, 12, 10, Black}};
    case D::Camera: return {{'r', 25, 70, 150, 95, Black}, {'r', 40, 55, 40, 18, Black}, {'e', 65, 80, 75, 75, Grey},
                            {'e', 80, 95, 45, 45, Sky}, {'r', 140, 80, 20, 12, Yellow}};
    case D::Feeder: return {{'t', 30, 40, 140, 50, Brown}, {'r', 50, 90, 100, 50, Yellow}, {'r', 50, 140, 10, 50, Brown},
                            {'r', 140, 140, 10, 50, Brown}, {'e', 150, 20, 40, 40, White}};
    case D::Fire: return {{'t', 30, 40, 140, 50, Brown}, {'r', 40, 90, 120, 100, Wood}, {'r', 60, 110, 30, 30, Sky},
                          {'r', 110, 110, 30, 30, Sky}, {'e', 95, 0, 70, 110, Orange}, {'e', 110, 40, 40, 60, Yellow},
                          {'e', 50, 100, 50, 50, Orange}};
    case D::Hockey: return {{'e', 10, 120, 180, 70, Sky}, {'l', 60, 20, 110, 140, Brown}, {'l', 110, 140, 150, 140, Brown},
                            {'e', 60, 150, 40, 16, Black}};
    case D::Mine: return {{'e', 0, 40, 200, 160, Brown}, {'e', 55, 90, 90, 130, Black}, {'r', 50, 90, 10, 110, Wood},
                          {'r', 140, 90, 10, 110, Wood}, {'r', 50, 85, 100, 12, Wood}, {'e', 80, 160, 20, 16, Grey},
                          {'e', 100, 165, 20, 16, Grey}};
    case D::Flask: return {{'r', 85, 20, 30, 70, Sky}, {'e', 40, 70, 120, 120, Sky}, {'e', 50, 110, 100, 75, Green},
                           {'r', 80, 15, 40, 10, Grey}, {'e', 120, 40, 14, 14, Green}};
    case D::Tap: return {{'r', 0, 50, 130, 30, Grey}, {'r', 110, 50, 30, 80, Grey}, {'r', 95, 30, 60, 14, Red},
                         {'e', 115, 140, 18, 26, Blue}, {'e', 118, 175, 12, 18, Blue}, {'r', 60, 40, 20, 50, Grey}};
    case D::Scissors: return {{'e', 20, 120, 60, 60, Red}, {'e', 34, 134, 32, 32, White}, {'e', 120, 120, 60, 60, Red},
                              {'e', 134, 134, 32, 32, White}, {'l', 70, 130, 150, 20, Grey}, {'l', 130, 130, 50, 20, Grey}};
    case D::Chimney: return {{'t', 20, 60, 160, 60, Red}, {'r', 35, 120, 130, 70, Wood}, {'r', 125, 40, 25, 55, Brown},
                             {'e', 120, 10, 30, 25, Black}, {'e', 140, 0, 30, 22, Grey}, {'r', 85, 140, 30, 50, Brown}};
    case D::Rocket: return {{'r', 75, 50, 50, 110, White}, {'t', 75, 10, 50, 45, Red}, {'t', 50, 120, 30, 50, Red},
                            {'t', 120, 120, 30, 50, Red}, {'e', 88, 75, 24, 24, Sky}, {'e', 82, 160, 36, 40, Orange}};
    case D::Pot: return {{'r', 40, 90, 120, 90, Grey}, {'r', 30, 80, 140, 15, Black}, {'r', 15, 100, 25, 12, Black},
                         {'r', 160, 100, 25, 12, Black}, {'e', 60, 30, 24, 40, White}, {'e', 110, 20, 24, 45, White}};
    case D::FirstAid: return {{'r', 30, 60, 140, 110, White}, {'r', 80, 45, 40, 20, Grey}, {'r', 88, 80, 24, 70, Red},
                              {'r', 65, 103, 70, 24, Red}};
    case D::Cup: return {{'r', 10, 170, 180, 10, Grey}, {'r', 60, 80, 70, 90, White}, {'e', 120, 100, 40, 40, White},
                         {'e', 128, 108, 24, 24, Sky}, {'r', 66, 86, 58, 20, Brown}, {'l', 20, 30, 180, 30, Sky}};
    case D::Envelope: return {{'r', 20, 50, 160, 110, White}, {'l', 22, 52, 100, 115, Grey}, {'l', 100, 115, 178, 52, Grey},
                              {'r', 140, 60, 30, 30, Red}};
    case D::Roller: return {{'r', 30, 30, 120, 40, Blue}, {'r', 150, 45, 20, 10, Grey}, {'r', 160, 45, 10, 80, Grey},
                            {'r', 152, 120, 26, 60, Brown}, {'r', 20, 110, 100, 80, Grey}, {'r', 20, 110, 100, 20, Blue}};
    case D::Dress: return {{'r', 70, 30, 60, 60, Pink}, {'t', 30, 60, 140, 130, Pink}, {'r', 70, 85, 60, 10, Red},
                           {'r', 75, 10, 10, 25, Pink}, {'r', 115, 10, 10, 25, Pink}};
    case D::Notes: return {{'e', 30, 140, 50, 36, Black}, {'e', 120, 120, 50, 36, Black}, {'r', 70, 40, 10, 120, Black},
                           {'r', 160, 20, 10, 120, Black}, {'l', 75, 40, 165, 20, Black}, {'l', 75, 60, 165, 40, Black}};
    case D::Boat: return {{'r', 0, 160, 200, 40, Blue}, {'r', 30, 130, 140, 35, Brown}, {'r', 96, 20, 8, 115, Brown},
                          {'t', 104, 25, 70, 100, White}, {'r', 80, 10, 30, 14, Red}};
    case D::Bread: return {{'e', 20, 70, 160, 90, Wood}, {'l', 60, 90, 80, 130, Brown}, {'l', 95, 85, 115, 135, Brown},
                           {'l', 130, 90, 150, 130, Brown}};
    case D::Plane: return {{'e', 10, 85, 180, 40, White}, {'t', 70, 40, 60, 60, Blue}, {'r', 70, 120, 60, 20, Blue},
                           {'t', 10, 50, 30, 50, Blue}, {'e', 160, 95, 20, 14, Sky}, {'r', 0, 180, 200, 12, Grey}};
    case D::Beacon: return {{'r', 40, 130, 120, 50, Grey}, {'e', 55, 60, 90, 100, Blue}, {'r', 55, 110, 90, 25, Blue},
                            {'e', 75, 75, 30, 30, Sky}, {'l', 20, 60, 40, 80, Blue}, {'l', 180, 60, 160, 80, Blue}};
    case D::Bin: return {{'r', 50, 60, 100, 120, Green}, {'r', 40, 45, 120, 20, Black}, {'e', 50, 165, 30, 30, Black},
                         {'e', 120, 165, 30, 30, Black}, {'r', 90, 35, 20, 12, Black}};
    case D::Shop: return {{'r', 30, 80, 140, 110, White}, {'r', 20, 50, 40, 35, Red}, {'r', 60, 50, 40, 35, White},
                          {'r', 100, 50, 40, 35, Red}, {'r', 140, 50, 40, 35, White}, {'r', 45, 110, 50, 45, Sky},
                          {'r', 115, 110, 40, 80, Brown}};
    case D::Sausages: return {{'e', 10, 80, 60, 35, Red}, {'e', 70, 80, 60, 35, Red}, {'e', 130, 80, 60, 35, Red},
                              {'e', 40, 130, 120, 60, Pink}, {'e', 80, 145, 30, 20, White}};
    case D::Spool: return {{'r', 60, 40, 80, 14, Wood}, {'r', 60, 150, 80, 14, Wood}, {'r', 70, 54, 60, 96, Blue},
                           {'l', 140, 100, 190, 30, Blue}, {'l', 170, 180, 190, 20, Grey}};
    case D::Tractor: return {{'r', 60, 80, 110, 60, Green}, {'r', 40, 40, 60, 60, Green}, {'r', 50, 50, 40, 35, Sky},
                             {'e', 20, 100, 90, 90, Black}, {'e', 45, 125, 40, 40, Grey}, {'e', 135, 135, 50, 50, Black},
                             {'r', 140, 45, 10, 40, Black}};
    case D::Blackboard: return {{'r', 15, 30, 170, 120, Brown}, {'r', 25, 40, 150, 100, Green}, {'r', 40, 150, 10, 45, Brown},
                                {'r', 150, 150, 10, 45, Brown}, {'l', 45, 110, 65, 60, White}, {'l', 65, 60, 85, 110, White},
                                {'l', 105, 60, 105, 110, White}, {'e', 105, 60, 30, 25, White}, {'e', 105, 85, 32, 25, White}};
    case D::Easel: return {{'l', 60, 190, 100, 20, Brown}, {'l', 140, 190, 100, 20, Brown}, {'r', 40, 40, 120, 100, White},
                           {'e', 55, 55, 40, 35, Red}, {'e', 100, 80, 45, 40, Blue}, {'e', 60, 95, 35, 30, Yellow}};
    case D::Dog: return {{'e', 40, 90, 110, 60, Wood}, {'e', 120, 50, 60, 55, Wood}, {'e', 120, 45, 20, 40, Brown},
                         {'r', 55, 140, 14, 45, Wood}, {'r', 120, 140, 14, 45, Wood}, {'e', 160, 70, 10, 10, Black},
                         {'l', 45, 100, 15, 70, Wood}, {'r', 10, 15, 40, 12, Red}, {'r', 24, 1, 12, 40, Red}};
    case D::Mirror: return {{'e', 30, 10, 110, 140, Brown}, {'e', 40, 20, 90, 120, Sky}, {'r', 75, 150, 20, 40, Brown},
                            {'r', 150, 110, 22, 60, Grey}, {'r', 153, 80, 16, 32, Red}};
    case D::Helmet: return {{'e', 30, 40, 140, 120, Green}, {'r', 30, 100, 140, 60, Wood}, {'r', 20, 95, 160, 14, Green},
                            {'r', 150, 10, 6, 80, Brown}, {'r', 156, 10, 40, 26, Red}};
    case D::Train: return {{'r', 0, 180, 200, 8, Grey}, {'r', 30, 90, 150, 70, Red}, {'r', 120, 50, 60, 45, Red},
                           {'r', 130, 60, 40, 25, Sky}, {'r', 45, 55, 20, 40, Black}, {'e', 40, 145, 40, 40, Black},
                           {'e', 130, 145, 40, 40, Black}};
    case D::Flower: return {{'l', 100, 190, 100, 90, Green}, {'e', 100, 130, 50, 25, Green}, {'e', 70, 30, 60, 60, Pink},
                            {'e', 40, 60, 60, 60, Pink}, {'e', 100, 60, 60, 60, Pink}, {'e', 70, 90, 60, 60, Pink},
                            {'e', 80, 70, 40, 40, Yellow}};
    case D::Bed: return {{'r', 15, 110, 170, 45, White}, {'r', 15, 60, 12, 130, Grey}, {'r', 173, 90, 12, 100, Grey},
                         {'e', 30, 90, 50, 30, White}, {'r', 80, 100, 100, 30, Blue}, {'r', 150, 30, 24, 8, Red},
                         {'r', 158, 22, 8, 24, Red}};
    case D::Bricks: return {{'r', 10, 150, 55, 25, Red}, {'r', 70, 150, 55, 25, Red}, {'r', 130, 150, 55, 25, Red},
                            {'r', 40, 120, 55, 25, Red}, {'r', 100, 120, 55, 25, Red}, {'r', 70, 90, 55, 25, Red},
                            {'t', 140, 40, 40, 40, Grey}, {'l', 160, 80, 160, 100, Brown}};
    case D::Elephant: return {{'e', 30, 60, 130, 90, Grey}, {'e', 120, 40, 60, 60, Grey}, {'l', 170, 80, 185, 170, Grey},
                              {'r', 45, 130, 22, 55, Grey}, {'r', 120, 130, 22, 55, Grey}, {'e', 110, 45, 35, 50, RGBColor(120, 120, 130)},
                              {'e', 155, 60, 9, 9, Black}};
    case D::Tooth: return {{'e', 40, 30, 66, 60, White}, {'e', 94, 30, 66, 60, White}, {'r', 46, 60, 108, 60, White},
                           {'l', 62, 110, 58, 180, White}, {'l', 138, 110, 142, 180, White},
                           {'e', 110, 55, 24, 24, Brown}, {'l', 175, 30, 195, 10, Red}, {'l', 180, 60, 200, 60, Red}};
    case D::Microphone: return {{'e', 70, 20, 60, 80, Grey}, {'r', 92, 95, 16, 60, Black}, {'r', 55, 155, 90, 14, Black},
                                {'e', 15, 30, 40, 60, Black}, {'e', 145, 30, 40, 60, Black}, {'l', 35, 35, 165, 35, Black}};
    }
    return {};
}

}  // namespace

void DrawSceneDrawing(TCanvas* c, int x, int y, TSceneDrawing drawing) {
    for (const TShape& s : Shapes(drawing)) {
        switch (s.Kind) {
        case 'r': FillRect(c, Bounds(x + s.X, y + s.Y, s.W, s.H), s.Colour); break;
        case 'e': FillEllipse(c, Bounds(x + s.X, y + s.Y, s.W, s.H), s.Colour); break;
        case 't': FillTriangle(c, Bounds(x + s.X, y + s.Y, s.W, s.H), s.Colour); break;
        default: ThickLine(c, x + s.X, y + s.Y, x + s.W, y + s.H, 10, s.Colour); break;
        }
    }
}
