# Skin elements, colour arithmetic, bitmap utilities and the skin data
# component. The portable rules run natively under the sanitizers and under
# Wine; the rest under Wine only, with the program's skin bitmaps linked in.
tamfern_add_test(test_colormath SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_colormath.cpp LIBS tf_skin_vocab)
tamfern_add_test(test_skin_vocab SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_skin_vocab.cpp LIBS tf_skin_vocab)
tamfern_add_fuzzer(fuzz_skin_vocab SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_skin_vocab.cpp LIBS tf_skin_vocab SECONDS 5)
tamfern_add_test(test_truncated_skin SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_truncated_skin.cpp LIBS tf_skin_storage ${codec})

if(TAMFERN_WINDOWS)
  enable_language(RC)
  set_source_files_properties(${SKINRES_RC} PROPERTIES OBJECT_DEPENDS "${SKINRES_IMAGES}")

  tamfern_add_test(test_imgutil SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_imgutil.cpp LIBS tf_skin_data)
  tamfern_add_test(test_skin_elements SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_skin_elements.cpp LIBS tf_skin_data ${codec})
  tamfern_add_test(test_skindata
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_skindata.cpp ${SKINRES_RC}
    LIBS tf_skin_data tf_reader ${codec})
  target_compile_definitions(test_skindata PRIVATE LIGHTBLUE_SKINSTREAM="Z:${CMAKE_BINARY_DIR}/res/lightblue.skinstream")
  add_dependencies(test_skindata lightblue_skin skinres)
endif()
