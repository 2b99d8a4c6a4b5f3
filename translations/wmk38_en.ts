<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="es">
<context>
    <name>Ayuda</name>
    <message>
        <source>Ayuda r&#xa0;pida</source>
        <translation>Quick help</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>No se halla el archivo QHELP.AYD</source>
        <translation>The file QHELP.AYD cannot be found</translation>
    </message>
</context>
<context>
    <name>Editor</name>
    <message>
        <source>Idioma</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Del sistema</source>
        <translation>System language</translation>
    </message>
    <message>
        <source>El cambio se aplica al volver a iniciar WMK38</source>
        <translation>The change takes effect the next time WMK38 starts</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Ayuda de WMK38</source>
        <translation>WMK38 Help</translation>
    </message>
</context>
<context>
    <name>Precnt</name>
    <message>
        <source>Preseteos contadores y temporizadores</source>
        <translation>Counter and timer presets</translation>
    </message>
    <message>
        <source>Contadores</source>
        <translation>Counters</translation>
    </message>
    <message>
        <source>Unidades</source>
        <translation>Units</translation>
    </message>
    <message>
        <source>Temporizadores</source>
        <translation>Timers</translation>
    </message>
    <message>
        <source>Décimas</source>
        <translation>Tenths</translation>
    </message>
    <message>
        <source>temporizadres Rápidos</source>
        <translation>Fast timers</translation>
    </message>
    <message>
        <source>Centésimas</source>
        <translation>Hundredths</translation>
    </message>
    <message>
        <source>En</source>
        <translation>In</translation>
    </message>
    <message>
        <source>&amp;En &quot;0&quot;</source>
        <translation>&amp;Zero</translation>
    </message>
    <message>
        <source>&amp;Fábrica</source>
        <translation>&amp;Factory</translation>
    </message>
    <message>
        <source>&amp;Preset</source>
        <translation>&amp;Preset</translation>
    </message>
    <message>
        <source>&amp;Releer</source>
        <translation>&amp;Read again</translation>
    </message>
    <message>
        <source>&amp;Cerrar</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Valores admisibles entre 0 y 65535</source>
        <translation>Allowed values are 0 to 65535</translation>
    </message>
    <message>
        <source>Escribiendo%1</source>
        <translation>Writing%1</translation>
    </message>
    <message>
        <source>Leyendo...</source>
        <translation>Reading...</translation>
    </message>
    <message>
        <source>Leyendo%1</source>
        <translation>Reading%1</translation>
    </message>
</context>
<context>
    <name>Presenta</name>
    <message>
        <source>WMK38 - Editor y compilador para el MicroPLC MK38</source>
        <translation>WMK38 - Editor and compiler for the MicroPLC MK38</translation>
    </message>
    <message>
        <source>&amp;Aceptar</source>
        <translation>&amp;OK</translation>
    </message>
</context>
<context>
    <name>Prompts</name>
    <message>
        <source>&amp;Anular</source>
        <translation>&amp;Abort</translation>
    </message>
    <message>
        <source>&amp;Omitir</source>
        <translation>&amp;Ignore</translation>
    </message>
</context>
<context>
    <name>compiler</name>
    <message>
        <source>El programa excede los %1 bytes</source>
        <translation>The program exceeds %1 bytes</translation>
    </message>
    <message>
        <source>El argumento &quot;%1&quot; da el índice %2, fuera de %3 a %4 para %5</source>
        <translation>The operand &quot;%1&quot; gives the index %2, outside %3 to %4 for %5</translation>
    </message>
    <message>
        <source>La palabra &quot;%1&quot; de un solo caracter no es una instrucción</source>
        <translation>The one-character word &quot;%1&quot; is not an instruction</translation>
    </message>
    <message>
        <source>La etiqueta &quot;%1&quot; no tiene instrucción</source>
        <translation>The label &quot;%1&quot; has no instruction</translation>
    </message>
    <message>
        <source>Ni &quot;%1&quot; ni &quot;%2&quot; es una instrucción</source>
        <translation>Neither &quot;%1&quot; nor &quot;%2&quot; is an instruction</translation>
    </message>
    <message>
        <source>El argumento &quot;%1&quot; es menor que el mínimo (%2)</source>
        <translation>The operand &quot;%1&quot; is below the minimum (%2)</translation>
    </message>
    <message>
        <source>El argumento &quot;%1&quot; es mayor que el máximo (%2)</source>
        <translation>The operand &quot;%1&quot; is above the maximum (%2)</translation>
    </message>
    <message>
        <source>El argumento &quot;%1&quot; no está entre los EQUs ni es una palabra clave</source>
        <translation>The operand &quot;%1&quot; is neither an EQU nor a keyword</translation>
    </message>
    <message>
        <source>El argumento &quot;%1&quot; excede el rango de 16 bits (-32768 a 32767) al multiplicarlo por %2</source>
        <translation>The operand &quot;%1&quot; exceeds the 16-bit range (-32768 to 32767) when multiplied by %2</translation>
    </message>
    <message>
        <source>El argumento &quot;%1&quot; excede el rango de 16 bits (-32768 a 32767)</source>
        <translation>The operand &quot;%1&quot; exceeds the 16-bit range (-32768 to 32767)</translation>
    </message>
    <message>
        <source>Falta argumento</source>
        <translation>Missing operand</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Uso: wmk38 [/debugmode] [ARCHIVO]
  ARCHIVO .prg         se abre como con &quot;Cargar&quot;
  ARCHIVO .obj, .bld   se traduce como con &quot;Descompilar&quot;
  /debugmode           modo de diagnóstico
  --help, --version
</source>
        <translation>Usage: wmk38 [/debugmode] [FILE]
  FILE .prg         opened as with &quot;Load&quot;
  FILE .obj, .bld   translated as with &quot;Decompile&quot;
  /debugmode        diagnostic mode
  --help, --version
</translation>
    </message>
</context>
<context>
    <name>plclink</name>
    <message>
        <source>Sin permiso para abrir %1: su usuario debe pertenecer al grupo %2 (sudo usermod -aG %2 $USER) y volver a iniciar la sesión.</source>
        <translation>No permission to open %1: your user must belong to the group %2 (sudo usermod -aG %2 $USER) and log in again.</translation>
    </message>
    <message>
        <source>Sin permiso para abrir %1: el dispositivo no admite a este usuario. El administrador del equipo puede darle acceso (por ejemplo, con una regla de udev para el dispositivo).</source>
        <translation>No permission to open %1: the device does not admit this user. The administrator of the computer can give access (for example, with a udev rule for the device).</translation>
    </message>
    <message>
        <source>es una carpeta, no un puerto serie</source>
        <translation>it is a folder, not a serial port</translation>
    </message>
    <message>
        <source>es un archivo común, no un puerto serie</source>
        <translation>it is an ordinary file, not a serial port</translation>
    </message>
    <message>
        <source>no es un puerto serie</source>
        <translation>it is not a serial port</translation>
    </message>
    <message>
        <source>el dispositivo no es un puerto serie o no acepta la configuración de la línea</source>
        <translation>the device is not a serial port or does not accept the line settings</translation>
    </message>
    <message>
        <source>error de entrada/salida; compruebe que el adaptador o la placa del puerto estén bien conectados</source>
        <translation>input/output error; check that the adapter or the port card is properly connected</translation>
    </message>
    <message>
        <source>el dispositivo ya no está conectado (¿se desenchufó el adaptador?)</source>
        <translation>the device is no longer connected (was the adapter unplugged?)</translation>
    </message>
    <message>
        <source>error del sistema número %1</source>
        <translation>system error number %1</translation>
    </message>
    <message>
        <source>motivo desconocido</source>
        <translation>unknown reason</translation>
    </message>
    <message>
        <source>%1 está ocupado: otro programa lo tiene abierto.</source>
        <translation>%1 is busy: another program has it open.</translation>
    </message>
    <message>
        <source>%1 no existe y no se encontró ningún puerto serie en este equipo.</source>
        <translation>%1 does not exist and no serial port was found on this computer.</translation>
    </message>
    <message>
        <source>%1 no existe. Puertos serie presentes: %2.</source>
        <translation>%1 does not exist. Serial ports present: %2.</translation>
    </message>
    <message>
        <source>%1 no se puede abrir como puerto serie: %2.</source>
        <translation>%1 cannot be opened as a serial port: %2.</translation>
    </message>
</context>
</TS>
