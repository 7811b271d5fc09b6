// Found before Qt's own header by every folder above the framework layer: every Qt widget header
// includes this one, so a widget header included there stops the compile.
#error "Qt widget headers belong to framework/ only; use the layer's types"
