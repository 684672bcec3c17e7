#pragma once
// The demo catalogue: fictional models of every chip family and communication type, each with
// a picture of its remote drawn by code, a hot map whose spots outline exactly the buttons on
// that picture, and a brand table whose code numbers meet the universal models' codes.
#include "hotimage/core/HotSpots.h"
#include "model/ModelRecord.h"
#include "model/uUniversalModel.h"

#include <QColor>
#include <memory>
#include <string>
#include <vector>

namespace mm {

// One button of a demo remote: where it is on the picture, how it looks and which key it is.
struct TDemoButton {
    std::string Label; // UTF-8, drawn on the button
    TSpotShape Shape = TSpotShape::Rectangle;
    std::vector<TPoint> Points; // the corners of a rectangle or ellipse, or a polygon
    QColor Face;
    int32_t KeyKind = kKeyKindNormal;
};

struct TDemoModel {
    TMyModelRecord Record; // picture, keys, codes; the picture drawn from Buttons
    std::vector<TDemoButton> Buttons;
    QColor Body;
    // Spots over the buttons: one per key; with a SHIFT page, a second one per button for its
    // SHIFT key.
    std::unique_ptr<THotSpots> HotMap;
};

struct TDemoCatalogue {
    std::vector<TDemoModel> Models;
    TMDFYFile Brands;

    TMyModelRecords Records() const;
};

// Draws every picture; needs a running QGuiApplication (the labels are text).
TDemoCatalogue BuildDemoCatalogue();

// The files WriteDemoCatalogue writes below dir (ending in "/"), in the order it writes them.
std::vector<std::string> DemoCatalogueFiles(const TDemoCatalogue& catalogue,
                                            const std::string& dir);

// Writes "data/model.RMF", a hot-map file per model and "data/remote.db" below dir (ending in
// "/"), creating the data folder when it is missing.
void WriteDemoCatalogue(const TDemoCatalogue& catalogue, const std::string& dir);

} // namespace mm
