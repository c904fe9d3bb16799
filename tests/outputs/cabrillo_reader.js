// Reads a Cabrillo file with the cabrillo package from the npm registry and prints what it
// understood: the header tags as "TAG=value", then each QSO as "QSO n" and its columns
// (frequency, mode, date, time, call, report and exchange sent and received).
'use strict';
const fs = require('fs');
const cabrillo = require('cabrillo');

// The reader splits lines at LF; the file's CR are taken off first.
const text = fs.readFileSync(process.argv[2], 'latin1').replace(/\r/g, '');
const parsed = cabrillo.cabrilloToObject(text);
const out = [];
for (const [key, value] of Object.entries(parsed)) {
  if (key === 'QSO' || key === 'SOAPBOX') continue;
  out.push(key + '=' + value);
}
(parsed.QSO || []).forEach((q, i) => {
  out.push(['QSO ' + (i + 1), q.freq, q.mo, q.date, q.time, q.sentcall, q.sentrst, q.sentexch,
            q.rcvdcall, q.rcvdrst, q.rcvdexch].join(' '));
});
process.stdout.write(out.join('\n') + '\n');
