        MODULE  ?cstartup
        SECTION CSTACK:DATA:NOROOT(3)
        PUBLIC  __vector_table
        END
