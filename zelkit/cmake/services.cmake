# The library's services: block compression, CRC-16, message helpers and
# the web file download (libcurl on a worker thread; its wx poster in ui/).
list(APPEND ZELKIT_CORE_SOURCES services/ZelCompress.cpp services/ZelCRC16.cpp services/ZelMessages.cpp services/ZelInternetFile.cpp)
list(APPEND ZELKIT_UI_SOURCES services/ui/ZelInternetFilePoster.cpp)

rvx_add_test(NAME zelkit_compress_tests SOURCES tests/CompressTest.cpp LIBS zelkit framework)
rvx_add_test(NAME zelkit_internet_file_tests SOURCES tests/InternetFileTest.cpp LIBS zelkit framework)
rvx_add_test(NAME zelkit_crc_messages_tests SOURCES tests/CrcMessagesTest.cpp LIBS zelkit framework)
rvx_add_test(NAME zelkit_internet_file_ui_tests SOURCES tests/InternetFilePosterTest.cpp LIBS zelkit framework WX)
