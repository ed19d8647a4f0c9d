# Skin elements and the skin data component. The vocabulary rules, the colour
# arithmetic and the published types touch no Windows API and build in both
# trees; elements, bitmap utilities and the component are Windows only.
add_library(tf_skin_vocab STATIC
  ${CMAKE_CURRENT_LIST_DIR}/ColorMath.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinVocabulary.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinTypes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Skin3rd.cpp
)
target_link_libraries(tf_skin_vocab PUBLIC tf_skin_storage tf_imagedata tf_core)
target_include_directories(tf_skin_vocab PUBLIC ${CMAKE_SOURCE_DIR})

if(TAMFERN_WINDOWS)
  add_library(tf_skin_data STATIC
    ${CMAKE_CURRENT_LIST_DIR}/ImgUtil.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SkinText.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SkinElements.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SkinElementReader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SkinDataEvents.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SkinHost.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WinSkinData.cpp
  )
  # The combo box composites are drawn with the element drawing routines.
  target_link_libraries(tf_skin_data PUBLIC tf_skin_draw tf_skin_vocab tf_skin_storage
                        tf_controls tf_graphics user32 gdi32)
  target_include_directories(tf_skin_data PUBLIC ${CMAKE_SOURCE_DIR})
endif()
