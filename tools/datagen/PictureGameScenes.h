// What the picture games' scenes show for each GameCodeList43 code: the
// place where the profession works ("Kdo sem patří"), the trouble it puts
// right ("Kdo to vyřeší"), and the drawing both scenes share.
#pragma once

#include <memory>

#include "platform/gfx/graphics.h"

enum class TSceneDrawing {
    Car, Cake, Axe, Bulb, Barn, Camera, Feeder, Fire, Hockey, Mine, Flask, Tap, Scissors, Chimney, Rocket, Pot,
    FirstAid, Cup, Envelope, Roller, Dress, Notes, Boat, Bread, Plane, Beacon, Bin, Shop, Sausages, Spool, Tractor,
    Blackboard, Easel, Dog, Mirror, Helmet, Train, Flower, Bed, Bricks, Elephant, Tooth, Microphone
};

struct TSceneWords {
    const char* Code;     // GameCodeList43 code
    const char* Place;    // UTF-8, mode 0
    const char* Trouble;  // UTF-8, mode 1
    TSceneDrawing Drawing;
};

inline constexpr TSceneWords SceneWordsTable[43] = {
    {"auto", "Autoservis", "Auto se porouchalo", TSceneDrawing::Car},
    {"cukr", "Cukrárna", "Na oslavu chybí dort", TSceneDrawing::Cake},
    {"drevo", "Les, kde se kácí stromy", "Strom je třeba pokácet", TSceneDrawing::Axe},
    {"elektr", "Elektrické vedení", "Nesvítí světlo", TSceneDrawing::Bulb},
    {"farmar", "Statek s kravami", "Krávy mají hlad", TSceneDrawing::Barn},
    {"foto", "Fotoateliér", "Chceme rodinnou fotku", TSceneDrawing::Camera},
    {"hajny", "Krmelec v lese", "Srnky v zimě hladoví", TSceneDrawing::Feeder},
    {"hasic", "Hasičská zbrojnice", "Hoří dům!", TSceneDrawing::Fire},
    {"hokej", "Zimní stadion", "Hokejový zápas začíná", TSceneDrawing::Hockey},
    {"hornik", "Uhelný důl", "Potřebujeme vytěžit uhlí", TSceneDrawing::Mine},
    {"chemik", "Laboratoř", "Je třeba namíchat nový lék", TSceneDrawing::Flask},
    {"instal", "Koupelna s trubkami", "Kape voda z trubky", TSceneDrawing::Tap},
    {"kader", "Kadeřnictví", "Vlasy jsou moc dlouhé", TSceneDrawing::Scissors},
    {"komin", "Komín na střeše", "Komín je plný sazí", TSceneDrawing::Chimney},
    {"kosmo", "Raketa do vesmíru", "Let na Měsíc", TSceneDrawing::Rocket},
    {"kuchar", "Kuchyně v restauraci", "Hosté mají hlad", TSceneDrawing::Pot},
    {"lekar", "Ordinace lékaře", "Dítě má horečku", TSceneDrawing::FirstAid},
    {"letus", "Paluba letadla", "Cestující mají žízeň", TSceneDrawing::Cup},
    {"liston", "Pošta", "Dopis musí dojít domů", TSceneDrawing::Envelope},
    {"malpok", "Pokoj k vymalování", "Stěny jsou špinavé", TSceneDrawing::Roller},
    {"model", "Módní přehlídka", "Nové šaty je třeba předvést", TSceneDrawing::Dress},
    {"muzik", "Koncert", "Na oslavě chybí hudba", TSceneDrawing::Notes},
    {"namor", "Loď na moři", "Loď musí vyplout", TSceneDrawing::Boat},
    {"pekar", "Pekárna", "Došel chleba", TSceneDrawing::Bread},
    {"pilot", "Letiště", "Letadlo musí vzlétnout", TSceneDrawing::Plane},
    {"polda", "Policejní stanice", "Zloděj ukradl kolo", TSceneDrawing::Beacon},
    {"popel", "Popelářské auto", "Popelnice jsou plné", TSceneDrawing::Bin},
    {"prodav", "Obchod", "Chceme nakoupit", TSceneDrawing::Shop},
    {"reznik", "Řeznictví", "Chceme koupit maso", TSceneDrawing::Sausages},
    {"svadl", "Krejčovská dílna", "Kalhoty jsou roztržené", TSceneDrawing::Spool},
    {"trak", "Pole za vesnicí", "Pole je třeba zorat", TSceneDrawing::Tractor},
    {"ucitel", "Škola", "Děti se chtějí naučit číst", TSceneDrawing::Blackboard},
    {"umelec", "Galerie obrazů", "Výstavě chybí obraz", TSceneDrawing::Easel},
    {"veter", "Veterina", "Pejsek je nemocný", TSceneDrawing::Dog},
    {"vizaz", "Líčení v divadle", "Herečku je třeba nalíčit", TSceneDrawing::Mirror},
    {"vojak", "Kasárna", "Zemi je třeba chránit", TSceneDrawing::Helmet},
    {"vyprav", "Nádraží", "Vlak musí odjet včas", TSceneDrawing::Train},
    {"zahrad", "Zahrada", "Záhon je plný plevele", TSceneDrawing::Flower},
    {"zdses", "Nemocniční pokoj", "Pacient potřebuje lék", TSceneDrawing::Bed},
    {"zednik", "Stavba domu", "Dům potřebuje zeď", TSceneDrawing::Bricks},
    {"zoo", "ZOO", "Slon má hlad", TSceneDrawing::Elephant},
    {"zubar", "Zubní ordinace", "Bolí mě zub", TSceneDrawing::Tooth},
    {"zvukar", "Nahrávací studio", "Písničku je třeba nahrát", TSceneDrawing::Microphone}};

// The drawing of `drawing` inside a 200×200 box whose corner is (x, y).
void DrawSceneDrawing(TCanvas* c, int x, int y, TSceneDrawing drawing);
