CALL          UL1           UL2           BAND_QRV (2,70,23,13,9,6,3,uW)
---------------------------------------------------------------------
Q51ABC        JN76TO        JN76TP        11100000
Q51ABD        JN76HB                      11000000
Q51XYZ        JN75OS                      10000000
Q52DEF        JN65VM                      11110000
Q53GHI        JN86CR                      11000000
Q54JKL        JN76TO                      10000000
Q55MNO        JN75DS        JN75ES        11111110
Q56PQR        JN66WB                      10100000
Q57STU        JN76WF                      10000000
Q58VWX        JN75LX                      11000000
Q59ABC        JN86DQ                      11000000
Q5ABC1        JN76NA                      10000000
QA1BCD        JN87GE                      11100000
QA2EFG        JN88QC                      10000000
QB3HIJ        JN65TW                      11000000
QB4KLM        JN55QX                      10000000
QC5NOP        JN97LO                      11110000
QD6QRS        JN96AA                      10000000
QE7TUV        JO60JJ                      11000000
QF8WXY        JN79SS                      11100000
QG9ZAB        JN68RW                      10000000
QH1CDE        JN45KN        JN45LN        11000000
QJ2FGH        JN54MP                      10000000
QK3IJK        JN63GV                      11010000
