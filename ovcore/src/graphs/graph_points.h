// The points of one report graph: the rows or intervals its request asks
// for, their values in the request's data kind, their labels.
#pragma once
#include "ovcore/designer_template.h"
#include "keywords/table_call.h"
#include "gsw.h"

struct GraphPoints {
    int count;
    double values[GSW_MAX_POINTS];
    char labels[GSW_MAX_POINTS][GSW_TEXT_MAX + 1];
    bool hasTotal; // the first point is the total (for pies: the rows not shown)
};

// The points of request g over the table of call; false when the range
// holds nothing to draw (no rows, first past last).
bool BuildGraphPoints(const TableCall& call, const GraphRequest& g, GraphPoints* out);
