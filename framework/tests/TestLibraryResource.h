// Resource ids shared by the test library and the program that uses it.
#define IDD_SHARED_ID 500
#define IDS_LIBRARY_ONLY 600
#define IDS_BOTH 601
