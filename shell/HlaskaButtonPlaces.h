// Where the message window's buttons lie and which pictures they show
// ("hl_obr\hlasky\" + Pictures + "2.bmp" hover, "1.bmp" normal, "3.bmp"
// pressed). A button draws only its hover and pressed looks: its normal look
// is part of the message picture, which the window centres on the screen.
#pragma once

struct THlaskaButtonPlace {
    const char* Pictures;
    int Left, Top, Width, Height;
};

inline constexpr THlaskaButtonPlace PokButton{"pok", 179, 268, 124, 29};      // again
inline constexpr THlaskaButtonPlace KonecButton{"konec", 337, 268, 123, 29};  // end
inline constexpr THlaskaButtonPlace AnoButton{"ano", 203, 268, 76, 29};       // yes
inline constexpr THlaskaButtonPlace NeButton{"ne", 360, 268, 76, 29};         // no
inline constexpr THlaskaButtonPlace OkButton{"ok", 286, 268, 69, 29};         // a single confirmation
