#pragma once

// Facts an importer knows of a model that its triangles do not tell. They
// are kept as dynamic properties of the model (QObject::setProperty), so
// that only the code that writes them and the code that reads them depend
// on them.

// The volume of the voxels of the label a model was made from, in cubic
// millimetres (a double); absent for models not made from a label map.
inline constexpr char kVoxelVolumeProperty[] = "voxelVolumeMm3";

// The structure the model shows, as the anatomy table names it (a QString),
// when the importer knows it from the model's own name (a label's name): it,
// not the file's name, says what anatomy the model shows.
inline constexpr char kStructureProperty[] = "structure";

// The side of the patient the model lies on, "left" or "right" (a QString),
// when the importer knows it from the label's name or from where its voxels
// lie; absent otherwise.
inline constexpr char kSideProperty[] = "side";

// The coded terms a DICOM segmentation gives the segment a model was made
// from (a QVariantList of QVariantMaps with "role": "category",
// "property_type", "property_type_modifier", "anatomic_region" or
// "anatomic_region_modifier", and "scheme", "value", "meaning"); absent for
// other models.
inline constexpr char kCodesProperty[] = "codes";
