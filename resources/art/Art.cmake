# The game's pictures: each resources/art/NN-name.svg is rendered at the size it declares, reduced
# to its colour depth (render.sh) and packed into a generated source of tavo2core (main_pack.cpp).
# Pictures may use shared drawings from parts-*.svg; those are the only files they reference.
find_program(TAVO2_RSVG rsvg-convert REQUIRED)
# ImageMagick's own program by its Debian name: a plain "convert" may be something else.
find_program(TAVO2_CONVERT NAMES convert-im6.q16 convert-im6 REQUIRED)
find_package(ZLIB REQUIRED)

add_executable(tavo2-artpack ${CMAKE_CURRENT_LIST_DIR}/main_pack.cpp)
target_link_libraries(tavo2-artpack PRIVATE ZLIB::ZLIB)

# Resource number and colour depth of each picture; a sprite also gives its mask as number + 1.
set(TAVO2_ART
  01-rod5:256 02-rod4:256 03-rod3:256 04-rod2:256 05-rod1:256 06-checkbox:256 07-checkbox-ticked:256
  08-float3:256 09-float2:256 10-float1:256 11-slot-rod:256 12-slot-hook:256 13-hook2:256 14-hook1:256
  15-slot-bait:256 16-line2:256 17-line1:256 18-fish-shop:256 19-bait4:256 20-bait3:256 21-bait2:256
  22-bait1:256 23-rod-rest:256 24-tackle-box:256 25-landing-net:256 26-home-map:256 27-pond-marker:256
  28-lake-marker:256 29-house:256 30-print-large:2 31-print-small:2 32-tackle-shop:256
  33-masters-room:256 34-fight-small:256 35-fight-chub:256 36-fight-bitterling:256 37-fight-landed:256
  38-fight-pull:256 39-fight-turn:256 40-fight-escape:256 41-champion:256 42-crown:16
  43-tournament-house:256 44-world-button:256 45-world-map:256 46-master-landed:256 70-scene:256
  71-float:256 72-lure:sprite 74-cast:sprite 76-strike:sprite)

set(art_dir ${CMAKE_CURRENT_LIST_DIR})
set(art_out ${CMAKE_BINARY_DIR}/art)
file(MAKE_DIRECTORY ${art_out})
file(GLOB art_parts CONFIGURE_DEPENDS ${art_dir}/parts-*.svg)
set(art_rendered)
set(art_pack_args)
foreach(entry ${TAVO2_ART})
  string(REPLACE ":" ";" fields ${entry})
  list(GET fields 0 name)
  list(GET fields 1 kind)
  string(REGEX MATCH "^[0-9]+" number ${name})
  math(EXPR id ${number})
  set(outputs ${art_out}/${id}.ppm)
  list(APPEND art_pack_args ${id}=${art_out}/${id}.ppm)
  if(kind STREQUAL "sprite")
    math(EXPR mask_id "${id} + 1")
    list(APPEND outputs ${art_out}/${mask_id}.ppm)
    list(APPEND art_pack_args ${mask_id}=${art_out}/${mask_id}.ppm)
  endif()
  add_custom_command(
    OUTPUT ${outputs}
    COMMAND bash ${art_dir}/render.sh ${TAVO2_RSVG} ${TAVO2_CONVERT} ${art_dir}/palette.txt ${kind}
            ${art_dir}/${name}.svg ${outputs}
    DEPENDS ${art_dir}/${name}.svg ${art_parts} ${art_dir}/render.sh ${art_dir}/palette.txt
    COMMENT "Rendering picture ${id}"
    VERBATIM)
  list(APPEND art_rendered ${outputs})
endforeach()

add_custom_command(
  OUTPUT ${art_out}/ArtPictures.cpp
  COMMAND tavo2-artpack ${art_out}/ArtPictures.cpp ${art_pack_args}
  DEPENDS tavo2-artpack ${art_rendered}
  COMMENT "Packing the pictures"
  VERBATIM)
# The packed pixels are long string literals by design.
set_source_files_properties(${art_out}/ArtPictures.cpp PROPERTIES COMPILE_OPTIONS -Wno-overlength-strings)
target_sources(tavo2core PRIVATE ${art_out}/ArtPictures.cpp)
# The Windows build reuses the packed pictures (make windows).
add_custom_target(tavo2-art DEPENDS ${art_out}/ArtPictures.cpp)
